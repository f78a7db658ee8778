#include "app/storage/file_lock.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <thread>

namespace kova {

namespace {

std::atomic<std::chrono::milliseconds> gPatience{kFileLockPatience};

}  // namespace

void SetFileLockPatience(std::chrono::milliseconds patience) { gPatience = patience; }

int LockWholeFile(int descriptor, short type) { return LockWholeFile(descriptor, type, gPatience); }

int LockWholeFile(int descriptor, short type, std::chrono::milliseconds patience) {
  struct flock whole {};
  whole.l_type = type;
  whole.l_whence = SEEK_SET;  // start 0 and length 0: the whole file, however it grows
  const auto deadline = std::chrono::steady_clock::now() + patience;
  // Asked again every millisecond rather than waited for in the kernel, so
  // that the wait has an end; that many questions cost next to nothing.
  constexpr auto kPause = std::chrono::milliseconds(1);
  for (;;) {
    if (fcntl(descriptor, F_OFD_SETLK, &whole) == 0) return 0;
    switch (errno) {
      case EINTR:
        continue;
      case EAGAIN:
      case EACCES:
        break;
      case ENOLCK:      // NFS without its lock service
      case EOPNOTSUPP:  // a file system without locks
      case EINVAL:      // a system without open-file locks
        return 0;
      default:
        return errno;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return EWOULDBLOCK;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kPause, deadline - now));
  }
}

}  // namespace kova
