#include "app/platform/freed_memory.h"

// Any header of the C library tells whether it is glibc's.
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kova {

void GiveBackFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

}  // namespace kova
