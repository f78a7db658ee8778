#include "app/storage/profile_file.h"

#include "app/storage/file_writer.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdint>

namespace kova {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::optional<std::string_view> SectionNameOf(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

// A key line is anything with an equals sign that is neither a section line
// nor a comment.
std::optional<std::string_view> KeyNameOf(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == ';' || line.front() == '[') return std::nullopt;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, equals));
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool EnclosedInQuotes(std::string_view text) {
  return text.size() >= 2 && IsQuote(text.front()) && text.front() == text.back();
}

// Blanks around a value are not part of it and a pair of quotes around it is
// taken off, so a value that would lose either is written in double quotes.
std::string EncodeValue(std::string_view value) {
  const bool needsQuotes = TrimBlanks(value).size() != value.size() || EnclosedInQuotes(value);
  return needsQuotes ? '"' + std::string(value) + '"' : std::string(value);
}

std::string_view DecodeValue(std::string_view line) {
  std::string_view value = TrimBlanks(line.substr(line.find('=') + 1));
  if (EnclosedInQuotes(value)) value = value.substr(1, value.size() - 2);
  return value;
}

// A settings file of many megabytes is none; reading it would only cost
// memory and time.
constexpr size_t kMaxProfileBytes = size_t{4} << 20;

std::vector<std::string> SplitFileLines(std::string_view rest) {
  std::vector<std::string> lines;
  while (!rest.empty()) {
    const size_t end = rest.find_first_of("\r\n");
    lines.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    const size_t breakLength = rest.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    rest.remove_prefix(end + breakLength);
  }
  return lines;
}

std::optional<uint32_t> ParseDigits(std::string_view digits, unsigned base, uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f') {
      digit = static_cast<unsigned>(LowerAscii(c) - 'a' + 10);
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace

ProfileWriteError::ProfileWriteError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("In %1 kann nicht geschrieben werden: %2")
                             .arg(QFileInfo(path).absoluteFilePath(),
                                  reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.'))
                             .toStdString()) {}

ProfileWriteError RefusedAtStartError(const QString& path) {
  // What the start said may long have changed (a lock let go); what holds is
  // that the file was not read and is kept.
  return ProfileWriteError(path, QStringLiteral("Die Datei wurde beim Start nicht gelesen und wird "
                                                "deshalb nicht überschrieben."));
}

std::optional<int> ParseProfileInteger(std::string_view text) {
  text = TrimBlanks(text);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  std::optional<uint32_t> magnitude;
  if (!text.empty() && text.front() == '$') {
    magnitude = ParseDigits(text.substr(1), 16, UINT32_MAX);
  } else if (text.size() > 1 && text[0] == '0' && LowerAscii(text[1]) == 'x') {
    magnitude = ParseDigits(text.substr(2), 16, UINT32_MAX);
  } else {
    magnitude = ParseDigits(text, 10, negative ? uint64_t{INT32_MAX} + 1 : INT32_MAX);
  }
  if (!magnitude) return std::nullopt;
  // Unsigned arithmetic wraps the way the stored two's-complement numbers do.
  return static_cast<int32_t>(negative ? 0u - *magnitude : *magnitude);
}

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {
  try {
    lines_ = SplitFileLines(ReadRegularFile(path_, kMaxProfileBytes));
  } catch (const FileReadError& error) {
    // Only a missing file is an empty one; what could not be read must not be
    // replaced by a file that has lost its lines.
    if (error.Error() != ENOENT) readError_ = error;
  }
}

void ProfileFile::CheckLoaded() const {
  if (!readError_) return;
  const QString message = CannotOpenMessage(QFileInfo(path_).absoluteFilePath(), *readError_) +
                          QStringLiteral(" Es gelten die Voreinstellungen, und die Datei wird beim "
                                         "Beenden nicht überschrieben.");
  throw ProfileReadError(message.toStdString());
}

void ProfileFile::CheckWritable() const {
  if (!readError_) return;
  // Reading calls a folder's refusal "Zugriff verweigert", which does not
  // tell the user what is in the way of writing.
  throw ProfileWriteError(path_, readError_->Error() == EISDIR ? FileWriteReason(EISDIR)
                                                               : QString::fromUtf8(readError_->what()));
}

std::optional<ProfileFile::Range> ProfileFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionNameOf(lines_[i]);
    if (!name || !SameName(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines_.size() && !SectionNameOf(lines_[end])) ++end;
    return Range{i + 1, end};
  }
  return std::nullopt;
}

std::optional<size_t> ProfileFile::FindKey(Range range, std::string_view key) const {
  for (size_t i = range.begin; i < range.end; ++i) {
    const auto name = KeyNameOf(lines_[i]);
    if (name && SameName(*name, key)) return i;
  }
  return std::nullopt;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  const auto range = FindSection(section);
  const auto line = range ? FindKey(*range, key) : std::nullopt;
  return std::string(line ? DecodeValue(lines_[*line]) : fallback);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  return ParseProfileInteger(ReadString(section, key, "")).value_or(fallback);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  changed_ = true;
  std::string line = std::string(key) + '=' + EncodeValue(value);
  const auto range = FindSection(section);
  if (!range) {
    lines_.push_back('[' + std::string(section) + ']');
    lines_.push_back(std::move(line));
    return;
  }
  if (const auto existing = FindKey(*range, key)) {
    lines_[*existing] = std::move(line);
    return;
  }
  // New keys go after the section's last non-blank line, before the blank
  // lines that separate it from the next section.
  size_t insertAt = range->end;
  while (insertAt > range->begin && TrimBlanks(lines_[insertAt - 1]).empty()) --insertAt;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void ProfileFile::UpdateFile() {
  if (!changed_ || readError_) return;
  std::string content;
  for (const std::string& line : lines_) content += line + '\n';
  // The next start would refuse a larger file and never write it again.
  if (content.size() > kMaxProfileBytes) {
    throw ProfileWriteError(path_,
                            QStringLiteral("Die Datei würde größer als %1 MiB, und eine so große "
                                           "Datei wird beim Start nicht gelesen.")
                                .arg(kMaxProfileBytes >> 20));
  }
  try {
    WriteFileSafely(path_, content);
  } catch (const FileWriteError& error) {
    throw ProfileWriteError(path_, QString::fromUtf8(error.what()));
  }
  changed_ = false;
}

}  // namespace kova
