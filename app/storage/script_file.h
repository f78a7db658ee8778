// Script files: 8-bit text whose lines end at CR LF, at LF or at CR. Every
// byte is kept; only the breaks between lines are chosen again on saving.
#pragma once

#include <QString>

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/storage/file_reader.h"

namespace kova {

// The conventions, numbered as the open command checks its menu items.
enum class LineBreakFormat : unsigned char { NoBreak = 0, Windows = 1, Unix = 2, Mac = 3 };

// A script file that could not be read or written; the message is the one
// shown to the user.
class ScriptFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The first line break decides: CR LF Windows, LF Unix, CR followed by
// anything else (or by the end) Mac, none at all NoBreak.
LineBreakFormat DetectLineBreakFormat(std::string_view bytes);

// The bytes written between lines for a convention; NoBreak writes CR LF.
std::string_view LineBreakBytes(LineBreakFormat format);

// The text with every line break (CR LF, LF or CR; LF followed by CR is two
// breaks) replaced by `lineBreak`. What lies between breaks stays as it is,
// so a final break stays a final break and no bytes give no bytes.
std::string ReplaceLineBreaks(std::string_view bytes, std::string_view lineBreak);

// The whole file as bytes (see ReadRegularFile, which takes `maxBytes` and
// `rule`). Throws ScriptFileError "Datei <path> kann nicht geöffnet werden.
// <reason>".
std::string ReadScriptFile(const QString& fileName,
                           std::size_t maxBytes = std::numeric_limits<std::size_t>::max(),
                           const SizeRule& rule = nullptr);

// Makes `bytes` the file's content (see WriteFileSafely). Throws
// ScriptFileError with the reason, e.g. "Dateizugriff verweigert"; a file
// that another program keeps locked gives "Datei <path> kann nicht
// gespeichert werden. Ein anderes Programm hält die Datei gesperrt."
void WriteScriptFile(const QString& fileName, std::string_view bytes);

}  // namespace kova
