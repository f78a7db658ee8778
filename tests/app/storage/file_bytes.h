// Putting bytes into a file and reading them back, for tests that check
// files byte for byte.
#pragma once

#include <QString>

#include <csignal>
#include <string>
#include <sys/resource.h>

namespace kova {

void PutFileBytes(const QString& path, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string FileBytes(const QString& path);

// While it lives, writing a file beyond `bytes` fails (EFBIG), as it would on
// a full disk, even for the superuser.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct sigaction fPreviousAction {};
  rlimit fPreviousLimit{};
};

}  // namespace kova
