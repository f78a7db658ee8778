#ifndef KOVA_TRANSLATE_LATIN1_H_
#define KOVA_TRANSLATE_LATIN1_H_

#include <QString>
#include <string>

namespace kova {

// The system's 8-bit text (editor lines, key table, captions) is ISO-8859-1;
// the diagram tree holds 16-bit QStrings. Both conversions use the explicit
// length, so a character 0 (the function header marker) survives the round
// trip like any other byte.

QString ToQString(const std::string& latin1);

// Characters above 0xFF, which never come from the editor, become '?'.
std::string ToLatin1(const QString& text);

}  // namespace kova

#endif  // KOVA_TRANSLATE_LATIN1_H_
