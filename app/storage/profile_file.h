// The private-profile settings file: "[Section]" lines open sections, and
// "Key=Value" lines hold one value each. Sections and keys are found without
// regard to the case of their letters; lines this program does not use (other
// sections, other keys, comments) are kept exactly as they stand.
#pragma once

#include <QString>

#include "app/storage/file_reader.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kova {

// A write that was refused: "In <path> kann nicht geschrieben werden:
// <reason>.", the path in full.
class ProfileWriteError : public std::runtime_error {
 public:
  ProfileWriteError(const QString& path, const QString& reason);
};

// The refusal at exit of a file that was refused at start: it was not read
// then, so it is left as it is.
ProfileWriteError RefusedAtStartError(const QString& path);

// A file that is there but could not be read; the message says why and that
// the file will be left alone.
class ProfileReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a number as the settings file stores it: signed decimal, or
// hexadecimal after "$" or "0x"/"0X" (eight hex digits wrap into the negative
// numbers, as system colours are written). Anything else gives nothing.
std::optional<int> ParseProfileInteger(std::string_view text);

// One settings file, loaded when the object is made. A missing file reads as
// empty. A file that cannot be read (not a regular file, too large for a
// settings file, not readable) reads as empty too, but is refused: UpdateFile
// leaves it alone. Writes change the loaded copy; UpdateFile puts it on the
// disk (see WriteFileSafely). Values are 8-bit text of any length on one line.
class ProfileFile {
 public:
  explicit ProfileFile(QString path);

  const QString& FileName() const { return path_; }

  // Throws ProfileReadError when the file was refused.
  void CheckLoaded() const;
  // Throws ProfileWriteError, with the reason, when the file was refused:
  // nothing written to it will reach the disk.
  void CheckWritable() const;
  bool Refused() const { return readError_.has_value(); }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // An absent key, an empty value or one that is not a number gives `fallback`.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // Read as a number with 1 or 0 as the fallback; every number but 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Replaces the key's value where it stands, or adds the key at the end of
  // its section, or adds the section at the end of the file.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Writes the file when anything was written to it (created when missing)
  // and it was not refused. Throws ProfileWriteError when the file system
  // refuses or the file would grow too large to be read again.
  void UpdateFile();

 private:
  struct Range {
    size_t begin;
    size_t end;
  };
  std::optional<Range> FindSection(std::string_view section) const;
  std::optional<size_t> FindKey(Range range, std::string_view key) const;

  QString path_;
  std::optional<FileReadError> readError_;
  std::vector<std::string> lines_;
  bool changed_ = false;
};

}  // namespace kova
