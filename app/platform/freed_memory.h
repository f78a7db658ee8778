// Memory the program has freed, handed back to the system. glibc's
// allocator keeps what a run frees for later use, and the next run's memory
// budget, taken from what the system has free, would shrink by all of it.
#pragma once

namespace kova {

// Gives what the allocator holds unused back to the system, where the
// allocator can tell (glibc); elsewhere does nothing.
void GiveBackFreedMemory();

}  // namespace kova
