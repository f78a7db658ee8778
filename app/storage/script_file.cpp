#include "app/storage/script_file.h"

#include "app/storage/atomic_file.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kova {

namespace {

// The runtime's input/output messages, by the error that the system gave.
QString InOutErrorMessage(int error) {
  switch (error) {
    case ENOENT:
      return QStringLiteral("Datei nicht gefunden");
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
    case EISDIR:
    case ETXTBSY:
      return QStringLiteral("Dateizugriff verweigert");
    default:
      return QStringLiteral("E/A-Fehler %1").arg(error);
  }
}

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
      return QStringLiteral("Nicht genügend Speicher verfügbar.");
    default:
      return QStringLiteral("Systemfehler. Code: %1.").arg(error);
  }
}

[[noreturn]] void ThrowOpenError(const QString& fileName, int error) {
  throw ScriptFileError(QStringLiteral("Datei %1 kann nicht geöffnet werden. %2")
                            .arg(fileName, OpenFailureReason(error))
                            .toStdString());
}

}  // namespace

LineBreakFormat DetectLineBreakFormat(std::string_view bytes) {
  const size_t first = bytes.find_first_of("\r\n");
  if (first == std::string_view::npos) return LineBreakFormat::NoBreak;
  if (bytes[first] == '\n') return LineBreakFormat::Unix;
  return bytes.compare(first, 2, "\r\n") == 0 ? LineBreakFormat::Windows : LineBreakFormat::Mac;
}

std::string_view LineBreakBytes(LineBreakFormat format) {
  switch (format) {
    case LineBreakFormat::Unix:
      return "\n";
    case LineBreakFormat::Mac:
      return "\r";
    case LineBreakFormat::NoBreak:
    case LineBreakFormat::Windows:
      break;
  }
  return "\r\n";
}

std::string ReplaceLineBreaks(std::string_view bytes, std::string_view lineBreak) {
  std::string result;
  result.reserve(bytes.size());
  for (;;) {
    const size_t end = bytes.find_first_of("\r\n");
    result += bytes.substr(0, end);
    if (end == std::string_view::npos) return result;
    result += lineBreak;
    bytes.remove_prefix(end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1));
  }
}

std::string ReadScriptFile(const QString& fileName) {
  const QByteArray nativeName = QFile::encodeName(fileName);
  // Not blocking keeps a named pipe from hanging the open; only ordinary
  // files are read, so a device never floods the editor.
  const int descriptor = open(nativeName.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) ThrowOpenError(fileName, errno);
  std::string bytes;
  int error = 0;
  struct stat info {};
  if (fstat(descriptor, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : EACCES;
  } else {
    try {
      // The size is a hint only: devices and growing files read to their end.
      if (info.st_size > 0) bytes.reserve(static_cast<size_t>(info.st_size));
      char buffer[1 << 16];
      for (;;) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
          if (errno == EINTR) continue;
          error = errno;
          break;
        }
        bytes.append(buffer, static_cast<size_t>(got));
      }
    } catch (const std::bad_alloc&) {
      error = ENOMEM;
    }
  }
  close(descriptor);
  if (error != 0) ThrowOpenError(fileName, error);
  return bytes;
}

void WriteScriptFile(const QString& fileName, std::string_view bytes) {
  try {
    WriteFileAtomically(fileName, bytes);
  } catch (const std::system_error& failure) {
    throw ScriptFileError(InOutErrorMessage(failure.code().value()).toStdString());
  }
}

}  // namespace kova
