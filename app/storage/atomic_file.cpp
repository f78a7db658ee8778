#include "app/storage/atomic_file.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kova {

namespace {

[[noreturn]] void ThrowErrno(int error) {
  throw std::system_error(error, std::generic_category());
}

// Follows symbolic links to the file that really holds the content, also when
// the last link points to a file that does not exist yet.
std::string ResolveLinks(std::string path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(static_cast<size_t>(info.st_size) + 256, '\0');
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length < 0) ThrowErrno(errno);
    target.resize(static_cast<size_t>(length));
    if (target.empty() || target.front() != '/') {
      const size_t slash = path.rfind('/');
      if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
    }
    path = target;
  }
  ThrowErrno(ELOOP);
}

void WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

// Closes the descriptor on every path out of the write; a failed close of a
// written file is an error of its own (NFS reports lost writes there).
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (descriptor_ >= 0) close(descriptor_);
  }
  int get() const { return descriptor_; }
  void Close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (close(descriptor) != 0) ThrowErrno(errno);
  }

 private:
  int descriptor_;
};

mode_t CreationMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Makes the rename itself durable; a folder that refuses this changes nothing
// about the file's content, so a failure here is no error.
void SyncFolder(const std::string& folder) {
  const char* name = folder.empty() ? "." : folder.c_str();
  Descriptor directory(open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) fsync(directory.get());
}

}  // namespace

void WriteFileAtomically(const QString& path, std::string_view bytes) {
  const std::string target = ResolveLinks(QFile::encodeName(path).toStdString());
  struct stat existing {};
  const bool exists = stat(target.c_str(), &existing) == 0;
  // Renaming over a device or a pipe would destroy it rather than write to it.
  if (exists && S_ISDIR(existing.st_mode)) ThrowErrno(EISDIR);
  if (exists && !S_ISREG(existing.st_mode)) ThrowErrno(EACCES);

  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + "." + name + ".XXXXXX";
  Descriptor file(mkstemp(temporary.data()));
  if (file.get() < 0) ThrowErrno(errno);
  try {
    if (exists) {
      // Only the superuser may give the file to another owner; the
      // permission bits are kept either way.
      if (fchown(file.get(), existing.st_uid, existing.st_gid) != 0) errno = 0;
      if (fchmod(file.get(), existing.st_mode & 07777) != 0) ThrowErrno(errno);
    } else if (fchmod(file.get(), CreationMode()) != 0) {
      ThrowErrno(errno);
    }
    WriteAll(file.get(), bytes);
    if (fsync(file.get()) != 0) ThrowErrno(errno);
    file.Close();
    if (rename(temporary.c_str(), target.c_str()) != 0) ThrowErrno(errno);
  } catch (...) {
    unlink(temporary.c_str());
    throw;
  }
  SyncFolder(folder);
}

}  // namespace kova
