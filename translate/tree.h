#ifndef KOVA_TRANSLATE_TREE_H_
#define KOVA_TRANSLATE_TREE_H_

// The vocabulary of the diagram tree and the helpers through which the
// translator, layout, drawing and the run command read it. None of the
// helpers ever throws: whatever cannot be read reads as "" or 0.
//
// Tags and their kinds: "data" (0, the root sequence), "anweisung" (1,
// statement), "auswahl" (2, selection of "fall" children only), "while" (3,
// head-controlled loop), "until" (4, foot-controlled loop), "aufruf" (5,
// call, also a function diagram's header), "aussprung" (6, break), "ende"
// (7, end), "fall" (8, one branch, itself a sequence).
//
// Attributes: "caption" (the text shown), "elif-counter" (depth of an elif
// chain), "breite" and "hoehe" (width and height in pixels, written by
// layout on sequences and selections), all decimal text where numeric.

#include <array>
#include <cstdint>
#include <string>

#include "translate/dom.h"

namespace kova {

// Element kinds, the index of a tag name in ElementNames.
constexpr uint8_t kNoKind = 0;  // "data" and every other name
constexpr uint8_t kAnweisung = 1;
constexpr uint8_t kAuswahl = 2;
constexpr uint8_t kWhile = 3;
constexpr uint8_t kUntil = 4;
constexpr uint8_t kAufruf = 5;
constexpr uint8_t kAussprung = 6;
constexpr uint8_t kEnde = 7;
constexpr uint8_t kFall = 8;

// Index 0 is the empty string; 1 to 8 are the tag names of the kinds above.
extern const std::array<std::string, 9> ElementNames;

// The captions that make a branch a default branch.
extern const std::array<std::string, 4> DefaultBranchCaptions;

// Leads the caption of the "aufruf" that heads a function diagram; drawing
// shows such a caption in bold without it. No trimmed line can begin with it.
constexpr char FunctionHeaderMarker = '\0';

// Tag and attribute names as the tree holds them.
constexpr char kDataTag[] = "data";
constexpr char kCaptionAttribute[] = "caption";
constexpr char kElifCounterAttribute[] = "elif-counter";
constexpr char kBreiteAttribute[] = "breite";
constexpr char kHoeheAttribute[] = "hoehe";

// The 16-bit tag name of an element kind: "data" for 0, ElementNames[kind]
// for 1 to 8. REQUIRES: kind <= 8.
const QString& TagName(uint8_t kind) noexcept;

// The kind of an 8-bit tag name, compared byte for byte; 0 when it is none
// of ElementNames.
uint8_t ElementKind(const std::string& name) noexcept;

// The kind of a node's tag name; 0 for a null node, a document, "data".
uint8_t NodeKind(const TDomNode& node) noexcept;

// The 8-bit "caption" of an element; "" for a null node, a non-element or
// an element without a caption.
std::string GetCaption(const TDomNode& node) noexcept;

// The attribute `name` (8-bit) as a signed 32-bit decimal integer; 0 when
// the node is null or no element, the attribute is absent, or its value is
// not exactly an optional sign and digits within range.
int32_t GetIntAttribute(const TDomNode& node, const std::string& name) noexcept;

int32_t GetBreite(const TDomNode& node) noexcept;
int32_t GetHoehe(const TDomNode& node) noexcept;

// Whether the node's caption is one of DefaultBranchCaptions, exactly.
bool IsDefaultBranch(const TDomNode& node) noexcept;

}  // namespace kova

#endif  // KOVA_TRANSLATE_TREE_H_
