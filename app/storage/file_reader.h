// Reading a whole file without hanging on it: a named pipe cannot hang the
// open, only regular files are read, so a device never floods memory, and a
// file that another program keeps locked is waited for a few seconds only
// (see LockWholeFile).
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
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

// Why a file of that many bytes is not to be read; nothing when it may be.
using SizeRule = std::function<std::optional<QString>(std::uint64_t bytes)>;

// The whole file as bytes. A file that `rule` refuses by the size it has
// when reading starts is refused with the rule's reason before any of it is
// read or any memory taken for it; one larger than `maxBytes`, also when it
// grows while it is read, is refused too. Throws FileReadError.
std::string ReadRegularFile(const QString& fileName,
                            std::size_t maxBytes = std::numeric_limits<std::size_t>::max(),
                            const SizeRule& rule = nullptr);

// "Datei <path> kann nicht geöffnet werden. <reason>"
QString CannotOpenMessage(const QString& fileName, const FileReadError& error);

}  // namespace kova
