// Writing a file as a careful editor does, for scripts, pictures and
// "KOVA.ini" alike:
// - A symbolic link stays a link: the file it points to is written.
// - A target that is not a regular file (folder, pipe, device, socket) and a
//   target the user may not write are refused and left as they are.
// - Where replacing the file changes nothing but safety (the folder takes new
//   files, and the target is absent or a regular file with one link that
//   belongs to the user), the content goes to a temporary file beside it,
//   which is renamed over the target only once every byte has reached the
//   disk, and only while the target is locked (see LockWholeFile), so that a
//   program holding it does not go on writing to a file that is gone. The new
//   file takes the target's permission bits, group and extended attributes
//   (user attributes, access control lists, the security label), but neither
//   the access list its folder gives new files nor the target's capabilities,
//   which the system ends on every write in place as well.
// - Otherwise, and where the new file cannot take the group or an attribute,
//   the file is written in place, so that its owner, its links, its
//   attributes and its permissions stay; it is emptied only once the file
//   system has room for the new content, as far as the system can tell, and
//   it is locked meanwhile (see LockWholeFile), so that a second writer waits.
//   A crash while it is written can leave a mix of old and new content.
#pragma once

#include <QIODevice>
#include <QString>

#include <functional>
#include <stdexcept>
#include <string_view>

namespace kova {

// A file that could not be written; what() is the reason shown to the user,
// e.g. "Dateizugriff verweigert", in UTF-8.
class FileWriteError : public std::runtime_error {
 public:
  FileWriteError(int error, const QString& reason);
  // The system's error number; EWOULDBLOCK when another program kept the
  // file locked.
  int Error() const { return error_; }

 private:
  int error_;
};

// The reason for a system error number: in the words of the runtime's
// input/output messages where they have a text for it, else in plain words
// (see PlainErrorWords), else "E/A-Fehler" and the number.
QString FileWriteReason(int error);

// Puts a file's whole content into the device; false when it cannot make the
// content (nothing is written then).
using FileContent = std::function<bool(QIODevice& device)>;

// Makes `bytes` the file's whole content. Throws FileWriteError.
void WriteFileSafely(const QString& path, std::string_view bytes);

// Makes what `content` produces the file's whole content; it goes to the disk
// as it is produced, except when the file is written in place, where it is
// gathered in memory first. Returns false when `content` does, and then leaves
// the file as it was. Throws FileWriteError; exceptions from `content` pass
// through, with the file as it was.
bool WriteFileSafely(const QString& path, const FileContent& content);

}  // namespace kova
