#include "app/storage/file_writer.h"

#include "app/storage/error_words.h"
#include "app/storage/file_descriptor.h"
#include "app/storage/file_lock.h"

#include <QBuffer>
#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

namespace kova {

namespace {

[[noreturn]] void ThrowErrno(int error) { throw FileWriteError(error, FileWriteReason(error)); }

[[noreturn]] void RefuseNotRegular() {
  throw FileWriteError(EACCES,
                       QStringLiteral("Das Ziel ist keine gewöhnliche Datei (Pipe, Gerät oder Socket)"));
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

// Returns the system's error number of the first write that failed, 0 when
// every byte went out.
int WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

// Hands what an encoder writes on to a descriptor in large pieces and keeps
// the error number of the first write that failed, which QFile would lose.
class DescriptorDevice : public QIODevice {
 public:
  explicit DescriptorDevice(int descriptor) : descriptor_(descriptor) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }

  // Writes what is still held back; returns the error number, 0 when none.
  int Finish() {
    Flush();
    return error_;
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }

  qint64 writeData(const char* data, qint64 size) override {
    const auto length = static_cast<size_t>(size);
    if (pending_.size() + length > kPieceSize) Flush();
    if (length >= kPieceSize) {
      if (error_ == 0) error_ = WriteAll(descriptor_, std::string_view(data, length));
    } else {
      pending_.append(data, length);
    }
    return error_ == 0 ? size : -1;
  }

 private:
  static constexpr size_t kPieceSize = size_t{1} << 16;

  void Flush() {
    if (error_ == 0) error_ = WriteAll(descriptor_, pending_);
    pending_.clear();
  }

  int descriptor_;
  int error_ = 0;
  std::string pending_;
};

std::string RandomLetters(int count) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device source;
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  std::string letters;
  for (int i = 0; i < count; ++i) letters += kLetters[pick(source)];
  return letters;
}

// Whether the file system can take `size` bytes in place of what the file
// holds now. A file system that reports no blocks cannot tell.
bool RoomFor(int descriptor, const struct stat& file, uint64_t size) {
  struct statvfs system {};
  if (fstatvfs(descriptor, &system) != 0 || system.f_blocks == 0) return true;
  const uint64_t unit = system.f_frsize != 0 ? system.f_frsize : system.f_bsize;
  const uint64_t freeUnits = geteuid() == 0 ? system.f_bfree : system.f_bavail;
  const uint64_t held = static_cast<uint64_t>(file.st_blocks) * 512;
  const uint64_t needed = (size + unit - 1) / unit * unit;
  return needed <= held || needed - held <= freeUnits * unit;
}

// An attribute list or value as the system's *xattr calls give it, through
// `get`, which takes a buffer and its size as they do; nothing where it cannot
// be read, errno telling why.
template <typename Get>
std::optional<std::string> AttributeBytes(const Get& get) {
  // A value that grows between asking its size and reading it is asked again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const ssize_t size = get(nullptr, 0);
    if (size < 0) return std::nullopt;
    // Never of size 0, with which the read would only ask the size again.
    std::string bytes(std::max<size_t>(static_cast<size_t>(size), 1), '\0');
    const ssize_t length = get(bytes.data(), bytes.size());
    if (length >= 0) {
      bytes.resize(static_cast<size_t>(length));
      return bytes;
    }
    if (errno != ERANGE) return std::nullopt;
  }
  return std::nullopt;
}

// Removes the access list a new file took from its folder's default list,
// which is for new files, not for one that replaces a file with a list of its
// own or none. False where it stays.
bool DropInheritedAccessList(int file) {
  return fremovexattr(file, "system.posix_acl_access") == 0 || errno == ENODATA || errno == ENOTSUP;
}

// Gives the new file every extended attribute of the file at `from` that this
// process can see: user attributes (a download's origin), access control
// lists, the security label. Not the capabilities: they were given to the old
// content, and the system ends them on every write to a file as well. False
// where one cannot be read or set (an attribute only the privileged may set, a
// file system without them), so that the file is written in place instead
// and keeps them all.
bool CopyExtendedAttributes(const std::string& from, int to) {
  const auto names = AttributeBytes(
      [&](char* buffer, size_t size) { return llistxattr(from.c_str(), buffer, size); });
  if (!names) return errno == ENOTSUP;  // a file system without attributes
  for (size_t start = 0; start < names->size();) {
    const size_t end = std::min(names->find('\0', start), names->size());
    const std::string name = names->substr(start, end - start);
    start = end + 1;
    if (name == "security.capability") continue;
    const auto value = AttributeBytes(
        [&](char* buffer, size_t size) { return lgetxattr(from.c_str(), name.c_str(), buffer, size); });
    if (!value) return false;
    // Such as the label the system gave the new file already: setting it
    // again may need a right that keeping it does not.
    const auto own = AttributeBytes(
        [&](char* buffer, size_t size) { return fgetxattr(to, name.c_str(), buffer, size); });
    if (own == value) continue;
    if (fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0) return false;
  }
  return true;
}

// The file to be written, found once, its folder held open so that every
// later step concerns the same folder.
class TargetFile {
 public:
  explicit TargetFile(const QString& path);

  // Whether the content may go to a temporary file renamed over the target.
  bool Replaceable() const { return replaceable_; }

  // Writes the content to a temporary file and renames it over the target.
  // Returns nothing, before the content is made, when the temporary file
  // cannot take the target's group, access list or extended attributes, so
  // that it is to be written in place.
  std::optional<bool> Replace(const FileContent& content);

  void Overwrite(std::string_view bytes);

 private:
  explicit TargetFile(std::pair<std::string, std::string> place);
  FileDescriptor LockReplacedFile() const;
  void SyncFolder() const;

  std::string folderPath_;
  std::string name_;
  FileDescriptor folder_;
  bool exists_ = false;
  struct stat info_ {};
  bool replaceable_ = false;
};

std::pair<std::string, std::string> SplitFolder(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

TargetFile::TargetFile(const QString& path)
    : TargetFile(SplitFolder(ResolveLinks(QFile::encodeName(path).toStdString()))) {}

// The folder is held open only to name things in it; a folder that may not be
// listed can still take files.
TargetFile::TargetFile(std::pair<std::string, std::string> place)
    : folderPath_(std::move(place.first)),
      name_(std::move(place.second)),
      folder_(open(folderPath_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {
  if (folder_.get() < 0) ThrowErrno(errno);
  if (name_.empty()) ThrowErrno(EISDIR);
  if (fstatat(folder_.get(), name_.c_str(), &info_, AT_SYMLINK_NOFOLLOW) == 0) {
    exists_ = true;
  } else if (errno != ENOENT) {
    ThrowErrno(errno);
  }
  if (exists_) {
    // Renaming over a device or a pipe would destroy it rather than write to it.
    if (S_ISDIR(info_.st_mode)) ThrowErrno(EISDIR);
    if (!S_ISREG(info_.st_mode)) RefuseNotRegular();
    // Decided as the system decides it for this user, so a write-protected
    // file stays protected even where its folder would allow replacing it.
    if (faccessat(folder_.get(), name_.c_str(), W_OK, AT_EACCESS) != 0) ThrowErrno(errno);
  }
  const bool folderTakesFiles = faccessat(folder_.get(), ".", W_OK | X_OK, AT_EACCESS) == 0;
  const int folderError = errno;
  if (!exists_ && !folderTakesFiles) ThrowErrno(folderError);
  replaceable_ = folderTakesFiles && (!exists_ || (info_.st_nlink == 1 && info_.st_uid == geteuid()));
}

std::optional<bool> TargetFile::Replace(const FileContent& content) {
  std::string temporary;
  // The name is short and fixed in length, so every legal target name has
  // room for it. A new file gets the usual permissions, its folder's default
  // access list among them; a replacement is private until it has the
  // target's group and access list, and its permission bits once its content
  // is written.
  int descriptor = -1;
  for (int attempt = 0; descriptor < 0; ++attempt) {
    temporary = ".kova-" + RandomLetters(6);
    descriptor = openat(folder_.get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        exists_ ? 0600 : 0666);
    if (descriptor < 0 && (errno != EEXIST || attempt == 100)) ThrowErrno(errno);
  }
  FileDescriptor file(descriptor);
  // Gone on every way out but the rename.
  auto discard = qScopeGuard([&] { unlinkat(folder_.get(), temporary.c_str(), 0); });
  const std::string target = folderPath_ + "/" + name_;
  if (exists_) {
    // First, so that at no moment anyone may read it whom the target does not
    // let: the list it took from its folder would grant its users what the
    // group bits allow once they are the target's.
    if (!DropInheritedAccessList(file.get())) return std::nullopt;
    struct stat created {};
    if (fstat(file.get(), &created) != 0) ThrowErrno(errno);
    // Before the content is made, so that it is made once where the file is
    // to be written in place.
    if ((created.st_gid != info_.st_gid && fchown(file.get(), static_cast<uid_t>(-1), info_.st_gid) != 0) ||
        !CopyExtendedAttributes(target, file.get())) {
      return std::nullopt;
    }
  }
  DescriptorDevice device(file.get());
  const bool made = content(device);
  if (const int error = device.Finish(); error != 0) ThrowErrno(error);
  if (!made) return false;
  // Only now: the system clears the set-user-ID and set-group-ID bits on
  // every write and change of group. Of the attributes it clears only the
  // capabilities, which the new content is not to have.
  if (exists_ && fchmod(file.get(), info_.st_mode & 07777) != 0) ThrowErrno(errno);
  if (fsync(file.get()) != 0) ThrowErrno(errno);
  if (const int error = file.Close(); error != 0) ThrowErrno(error);
  {
    const FileDescriptor replaced = LockReplacedFile();
    if (renameat(folder_.get(), temporary.c_str(), folder_.get(), name_.c_str()) != 0) ThrowErrno(errno);
  }
  discard.dismiss();
  SyncFolder();
  return true;
}

// The file the rename is about to replace, locked as a file written in place
// is: a program that holds a lock on it writes to it meanwhile, and what it
// wrote would be lost with the replaced file. Only fcntl locks (record and
// open-file locks, see LockWholeFile) are seen: a program that holds the file
// with flock alone, or with no lock, can still lose what it writes. Held
// until the rename is done, so that no other program locks the file in
// between; nothing is held when there is no file to replace.
FileDescriptor TargetFile::LockReplacedFile() const {
  // Should the name have come to mean another file meanwhile, that one is
  // what the rename replaces: it is locked instead, a few times at most.
  for (int attempt = 0;; ++attempt) {
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    // An exclusive lock needs the file open for writing. Where the system
    // refuses that though the folder lets the file be replaced (a lease of
    // another program, a security module), a shared lock still waits for a
    // writer and keeps every other writer out; a reader loses nothing when
    // the file is replaced.
    short type = F_WRLCK;
    int descriptor = openat(folder_.get(), name_.c_str(), O_WRONLY | kFlags);
    if (descriptor < 0 && errno != ENOENT) {
      type = F_RDLCK;
      descriptor = openat(folder_.get(), name_.c_str(), O_RDONLY | kFlags);
    }
    FileDescriptor file(descriptor);
    // Absent; or not to be opened even for reading, so that no lock can be
    // asked for: it is replaced unlocked, as on a file system without locks.
    if (file.get() < 0) return file;
    struct stat locked {};
    if (fstat(file.get(), &locked) != 0) ThrowErrno(errno);
    if (!S_ISREG(locked.st_mode)) RefuseNotRegular();
    if (const int error = LockWholeFile(file.get(), type); error != 0) ThrowErrno(error);
    struct stat named {};
    if (fstatat(folder_.get(), name_.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        (named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) || attempt == 10) {
      return file;
    }
  }
}

void TargetFile::Overwrite(std::string_view bytes) {
  // Not blocking and not following links: should the name have become a
  // pipe or a link meanwhile, the open fails or the type check refuses it.
  FileDescriptor file(
      openat(folder_.get(), name_.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) ThrowErrno(errno);
  struct stat info {};
  if (fstat(file.get(), &info) != 0) ThrowErrno(errno);
  if (!S_ISREG(info.st_mode)) RefuseNotRegular();
  // Held until the file is closed: a second writer writing over the same
  // bytes and cutting them to its own length would leave a mix of both.
  if (const int error = LockWholeFile(file.get(), F_WRLCK); error != 0) ThrowErrno(error);
  // As the previous writer left it.
  if (fstat(file.get(), &info) != 0) ThrowErrno(errno);
  if (!RoomFor(file.get(), info, bytes.size())) ThrowErrno(ENOSPC);
  // Writing over the old content before cutting it off needs room only for
  // what the new content adds.
  if (const int error = WriteAll(file.get(), bytes); error != 0) ThrowErrno(error);
  if (ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) ThrowErrno(errno);
  // The write cleared the set-ID bits; only the owner may set them again,
  // and failing to costs the bits, not the content written.
  if ((info.st_mode & (S_ISUID | S_ISGID)) != 0 && info.st_uid == geteuid()) {
    fchmod(file.get(), info.st_mode & 07777);
  }
  if (fsync(file.get()) != 0) ThrowErrno(errno);
  if (const int error = file.Close(); error != 0) ThrowErrno(error);
}

// Makes the rename itself durable; a folder that refuses this changes nothing
// about the file's content, so a failure here is no error.
void TargetFile::SyncFolder() const {
  const FileDescriptor folder(open(folderPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) fsync(folder.get());
}

}  // namespace

FileWriteError::FileWriteError(int error, const QString& reason)
    : std::runtime_error(reason.toStdString()), error_(error) {}

QString FileWriteReason(int error) {
  switch (error) {
    case ENOENT:  // a folder on the way is missing
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
      return QStringLiteral("Ungültiger Dateiname");
    case EMFILE:
    case ENFILE:
      return QStringLiteral("Zu viele geöffnete Dateien");
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return QStringLiteral("Dateizugriff verweigert");
    case EISDIR:
      return QStringLiteral("Das Ziel ist ein Ordner, keine Datei");
    default:
      return PlainErrorWords(error).value_or(QStringLiteral("E/A-Fehler %1").arg(error));
  }
}

void WriteFileSafely(const QString& path, std::string_view bytes) {
  TargetFile target(path);
  if (target.Replaceable()) {
    const auto written = target.Replace([bytes](QIODevice& device) {
      return device.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
             static_cast<qint64>(bytes.size());
    });
    if (written) return;
  }
  target.Overwrite(bytes);
}

bool WriteFileSafely(const QString& path, const FileContent& content) {
  TargetFile target(path);
  if (target.Replaceable()) {
    if (const auto written = target.Replace(content)) return *written;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!content(buffer)) return false;
  target.Overwrite(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  return true;
}

}  // namespace kova
