// Reading a whole file without hanging on it: a named pipe cannot hang the
// open, only regular files are read, so a device never floods memory, and a
// file that another program keeps locked is waited for a few seconds only
// (see LockWholeFile).
#pragma once

#include <QString>

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>

namespace kova {

// A file that could not be read; what() is the system's reason in German
// words, e.g. "Zugriff verweigert.", in UTF-8.
class FileReadError : public std::runtime_error {
 public:
  FileReadError(int error, const QString& reason);
  // The system's error number; ENOENT when there is no such file.
  int Error() const { return error_; }

 private:
  int error_;
};

// The whole file as bytes. A file larger than `maxBytes` is refused. Throws
// FileReadError.
std::string ReadRegularFile(const QString& fileName,
                            std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// "Datei <path> kann nicht geöffnet werden. <reason>"
QString CannotOpenMessage(const QString& fileName, const FileReadError& error);

}  // namespace kova
