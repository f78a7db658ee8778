#include "app/storage/file_reader.h"

#include "app/storage/error_words.h"
#include "app/storage/file_descriptor.h"
#include "app/storage/file_lock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace kova {

namespace {

// The system's own words for why a file could not be opened or read.
QString OpenFailureReason(int error) {
  switch (error) {
    case ENOENT:
      return QStringLiteral("Das System kann die angegebene Datei nicht finden.");
    case ENOTDIR:
      return QStringLiteral("Das System kann den angegebenen Pfad nicht finden.");
    case EACCES:
    case EPERM:
    case EISDIR:
      return QStringLiteral("Zugriff verweigert.");
    case EMFILE:
    case ENFILE:
      return QStringLiteral("Das System kann die Datei nicht öffnen.");
    case ENAMETOOLONG:
      return QStringLiteral("Der Dateiname ist zu lang.");
    case ENOMEM:
      return OutOfMemoryWords();
    default:
      if (const auto words = PlainErrorWords(error)) return *words + QLatin1Char('.');
      return QStringLiteral("Systemfehler. Code: %1.").arg(error);
  }
}

[[noreturn]] void ThrowErrno(int error) { throw FileReadError(error, OpenFailureReason(error)); }

[[noreturn]] void ThrowTooLarge(std::size_t maxBytes) {
  throw FileReadError(EFBIG, QStringLiteral("Die Datei ist größer als %1 Bytes.").arg(maxBytes));
}

}  // namespace

FileReadError::FileReadError(int error, const QString& reason)
    : std::runtime_error(reason.toStdString()), error_(error) {}

std::string ReadRegularFile(const QString& fileName, std::size_t maxBytes, const SizeRule& rule) {
  const FileDescriptor file(open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) ThrowErrno(errno);
  struct stat info {};
  if (fstat(file.get(), &info) != 0) ThrowErrno(errno);
  if (S_ISDIR(info.st_mode)) ThrowErrno(EISDIR);
  if (!S_ISREG(info.st_mode)) {
    throw FileReadError(EACCES, QStringLiteral("Keine gewöhnliche Datei (Pipe, Gerät oder Socket)."));
  }
  // Not while another program writes it in place, which would give a mix
  // of its old and new content.
  if (const int error = LockWholeFile(file.get(), F_RDLCK); error != 0) ThrowErrno(error);
  if (fstat(file.get(), &info) != 0) ThrowErrno(errno);
  if (rule) {
    if (const std::optional<QString> reason = rule(static_cast<std::uint64_t>(info.st_size))) {
      throw FileReadError(EFBIG, *reason);
    }
  }
  if (static_cast<std::size_t>(info.st_size) > maxBytes) ThrowTooLarge(maxBytes);
  std::string bytes;
  try {
    // The size is a hint only: a file that grows is read to its end.
    if (info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
      const ssize_t got = read(file.get(), buffer, sizeof buffer);
      if (got == 0) break;
      if (got < 0) {
        if (errno == EINTR) continue;
        ThrowErrno(errno);
      }
      if (static_cast<std::size_t>(got) > maxBytes - bytes.size()) ThrowTooLarge(maxBytes);
      bytes.append(buffer, static_cast<std::size_t>(got));
    }
  } catch (const std::bad_alloc&) {
    ThrowErrno(ENOMEM);
  }
  return bytes;
}

QString CannotOpenMessage(const QString& fileName, const FileReadError& error) {
  return CannotUseFileMessage(fileName, FileUse::Open, QString::fromUtf8(error.what()));
}

}  // namespace kova
