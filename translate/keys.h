#ifndef KOVA_TRANSLATE_KEYS_H_
#define KOVA_TRANSLATE_KEYS_H_

// The fixed keywords of the script language, bash and German pseudo-code
// side by side, and how a line is matched against them. Every keyword is
// lower case ISO-8859-1 ("f\xFCr" is "für"); words of a keyword are
// separated by one blank. The table is not configurable.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace kova {

using KeyGroup = std::span<const std::string_view>;

struct TKeys {
  std::array<std::string_view, 2> IfKeys;
  std::array<std::string_view, 2> ElifKeys;
  std::array<std::string_view, 2> ElseKeys;
  std::array<std::string_view, 2> FiKeys;
  std::array<std::string_view, 2> CaseKeys;
  std::array<std::string_view, 2> EsacKeys;
  std::array<std::string_view, 5> WhileKeys;        // head-controlled loops
  std::array<std::string_view, 4> DoneKeys;
  std::array<std::string_view, 3> RepeatKeys;       // foot-controlled loops
  std::array<std::string_view, 1> UntilKeys;        // closes a foot-controlled loop
  std::array<std::string_view, 2> CaseEndKeys;      // ends a branch of a case
  std::array<std::string_view, 2> BreakKeys;
  std::array<std::string_view, 4> ExitKeys;
  std::array<std::string_view, 1> CallKeys;
  std::array<std::string_view, 2> FunctionKeys;
  std::array<std::string_view, 2> FunctionEndKeys;
};

inline constexpr TKeys KeyTable = {
    {"if", "wenn"},
    {"elif", "sonst wenn"},
    {"else", "sonst"},
    {"fi", "ende wenn"},
    {"case", "auswahl"},
    {"esac", "ende auswahl"},
    {"while", "for", "until", "solange", "f\xFCr"},
    {"done", "ende solange", "ende f\xFCr", "ende schleife"},
    {"schleife", "fussgesteuerte schleife", "anfang schleife"},
    {"wiederhole bis"},
    {";;", "fall ende"},
    {"break", "aussprung"},
    {"exit", "programmende", "diagrammende", "scriptende"},
    {"aufruf"},
    {"function", "funktion"},
    {"}", "funktion ende"},
};

// Whether `line` begins with one of the keywords: the line, with only the
// letters A-Z lowered, equals a keyword or begins with it and one blank.
// Callers pass lines already trimmed of characters up to 32 at both ends.
bool MatchesKey(KeyGroup keys, std::string_view line);

// The group as the key-list text of messages and the keys dialog:
// "[if, wenn]".
std::string FormatKeyList(KeyGroup keys);

}  // namespace kova

#endif  // KOVA_TRANSLATE_KEYS_H_
