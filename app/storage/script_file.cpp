#include "app/storage/script_file.h"

#include "app/storage/error_words.h"
#include "app/storage/file_reader.h"
#include "app/storage/file_writer.h"

#include <cerrno>

namespace kova {

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

std::string ReadScriptFile(const QString& fileName, std::size_t maxBytes, const SizeRule& rule) {
  try {
    return ReadRegularFile(fileName, maxBytes, rule);
  } catch (const FileReadError& error) {
    throw ScriptFileError(CannotOpenMessage(fileName, error).toStdString());
  }
}

void WriteScriptFile(const QString& fileName, std::string_view bytes) {
  try {
    WriteFileSafely(fileName, bytes);
  } catch (const FileWriteError& error) {
    // The user has to find the program that holds the file, so it is named,
    // as a refused open names it.
    if (error.Error() == EWOULDBLOCK) {
      throw ScriptFileError(
          CannotUseFileMessage(fileName, FileUse::Save, QString::fromUtf8(error.what()) + QLatin1Char('.'))
              .toStdString());
    }
    throw ScriptFileError(error.what());
  }
}

}  // namespace kova
