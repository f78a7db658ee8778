// A system file descriptor that is closed however the code that opened it
// ends.
#pragma once

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace kova {

class FileDescriptor {
 public:
  // Takes over `descriptor`; a negative one (a failed open) holds nothing.
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (descriptor_ >= 0) close(descriptor_);
  }

  int get() const { return descriptor_; }

  // Closes now; returns the system's error number, 0 when the close went
  // well. A failed close of a written file is an error of its own (NFS
  // reports lost writes there).
  int Close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return close(descriptor) == 0 ? 0 : errno;
  }

 private:
  int descriptor_;
};

}  // namespace kova
