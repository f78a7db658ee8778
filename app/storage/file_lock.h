// Advisory locks on a whole open file, so that two programs never write one
// file at the same time, nor read it while another writes it.
//
// The locks are the system's open-file locks (fcntl F_OFD_SETLK): they
// conflict with the record locks other careful programs take (lockf, SQLite,
// LibreOffice, Samba), reach other machines over NFS, and belong to the open
// file rather than to the process, so no other descriptor can drop them.
// BSD flock() locks do not see them on a local file system.
#pragma once

#include <chrono>

namespace kova {

// How long a read or a write waits for another program's lock. Our own
// writes hold it for the moment a file takes to reach the disk; a program
// that holds it longer must not freeze the window.
inline constexpr std::chrono::milliseconds kFileLockPatience{10000};

// Makes LockWholeFile wait `patience` where no other is given, for the whole
// program; tests shorten it, to see a refusal without waiting that long.
void SetFileLockPatience(std::chrono::milliseconds patience);

// Locks the whole file, shared (F_RDLCK) or exclusive (F_WRLCK), until the
// descriptor is closed, waiting at most `patience` (kFileLockPatience unless
// set otherwise) for another holder to let go. Returns 0 when locked and also
// when the file system offers no locks (the file is then used unlocked, as any
// program without locks does), EWOULDBLOCK when another holder kept it, else
// the system's error number.
int LockWholeFile(int descriptor, short type);
int LockWholeFile(int descriptor, short type, std::chrono::milliseconds patience);

}  // namespace kova
