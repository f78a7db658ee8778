#include "translate/keys.h"

namespace kova {
namespace {

// Only A-Z are lowered: the table's umlauts are lower case already and a
// capital umlaut in a line does not make a keyword.
char LowerAsciiLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithKey(std::string_view line, std::string_view key) {
  if (line.size() < key.size()) return false;
  for (size_t i = 0; i < key.size(); ++i)
    if (LowerAsciiLetter(line[i]) != key[i]) return false;
  return line.size() == key.size() || line[key.size()] == ' ';
}

}  // namespace

bool MatchesKey(KeyGroup keys, std::string_view line) {
  // Most keys (none is empty) differ from the line in the first character;
  // a line is tried against nearly every group, so that test comes first.
  if (line.empty()) return false;
  const char first = LowerAsciiLetter(line.front());
  for (const std::string_view key : keys)
    if (key.front() == first && StartsWithKey(line, key)) return true;
  return false;
}

std::string FormatKeyList(KeyGroup keys) {
  std::string text = "[";
  for (size_t i = 0; i < keys.size(); ++i) {
    if (i > 0) text += ", ";
    text += keys[i];
  }
  return text + "]";
}

}  // namespace kova
