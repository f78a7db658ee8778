#include "translate/tree.h"

#include <QDomAttr>

#include <algorithm>
#include <limits>

#include "translate/latin1.h"

namespace kova {

const std::array<std::string, 9> ElementNames = {
    "", "anweisung", "auswahl", "while", "until", "aufruf", "aussprung", "ende", "fall"};

const std::array<std::string, 4> DefaultBranchCaptions = {"else", "sonst", "nein", "*)"};

namespace {

// Parses an optional sign followed by at least one digit, nothing else,
// within the range of int32_t; anything else reads as 0.
int32_t ParseDecimal(const QString& text) {
  qsizetype position = 0;
  bool negative = false;
  if (position < text.size() && (text[position] == u'-' || text[position] == u'+')) {
    negative = text[position] == u'-';
    ++position;
  }
  if (position == text.size()) return 0;
  int64_t value = 0;
  const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                 : int64_t{std::numeric_limits<int32_t>::max()};
  for (; position < text.size(); ++position) {
    const char16_t digit = text[position].unicode();
    if (digit < u'0' || digit > u'9') return 0;
    value = value * 10 + (digit - u'0');
    if (value > limit) return 0;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

// The attribute node, null when the node is no element or lacks it.
QDomAttr FindAttribute(const TDomNode& node, const QString& name) {
  return node.isElement() ? node.toElement().attributeNode(name) : QDomAttr();
}

int32_t ReadIntAttribute(const TDomNode& node, const QString& name) noexcept {
  try {
    const QDomAttr attribute = FindAttribute(node, name);
    return attribute.isNull() ? 0 : ParseDecimal(attribute.value());
  } catch (...) {
    return 0;
  }
}

}  // namespace

uint8_t ElementKind(const std::string& name) noexcept {
  const auto found = std::find(ElementNames.begin(), ElementNames.end(), name);
  return found == ElementNames.end() ? kNoKind : static_cast<uint8_t>(found - ElementNames.begin());
}

const QString& TagName(uint8_t kind) noexcept {
  static const std::array<QString, 9> kTags = [] {
    std::array<QString, 9> tags;
    tags[kNoKind] = QString::fromLatin1(kDataTag);
    for (size_t index = 1; index < tags.size(); ++index) tags[index] = ToQString(ElementNames[index]);
    return tags;
  }();
  return kTags[kind];
}

uint8_t NodeKind(const TDomNode& node) noexcept {
  if (!node.isElement()) return kNoKind;
  // Comparing the 16-bit name in place avoids a conversion per call; layout
  // and drawing ask for every node.
  const QString name = node.nodeName();
  for (uint8_t kind = 1; kind < ElementNames.size(); ++kind)
    if (name == TagName(kind)) return kind;
  return kNoKind;
}

std::string GetCaption(const TDomNode& node) noexcept {
  try {
    static const QString kName = QString::fromLatin1(kCaptionAttribute);
    const QDomAttr attribute = FindAttribute(node, kName);
    return attribute.isNull() ? std::string() : ToLatin1(attribute.value());
  } catch (...) {
    return std::string();
  }
}

int32_t GetIntAttribute(const TDomNode& node, const std::string& name) noexcept {
  try {
    return ReadIntAttribute(node, ToQString(name));
  } catch (...) {
    return 0;
  }
}

int32_t GetBreite(const TDomNode& node) noexcept {
  static const QString kName = QString::fromLatin1(kBreiteAttribute);
  return ReadIntAttribute(node, kName);
}

int32_t GetHoehe(const TDomNode& node) noexcept {
  static const QString kName = QString::fromLatin1(kHoeheAttribute);
  return ReadIntAttribute(node, kName);
}

bool IsDefaultBranch(const TDomNode& node) noexcept {
  const std::string caption = GetCaption(node);
  return std::find(DefaultBranchCaptions.begin(), DefaultBranchCaptions.end(), caption) !=
         DefaultBranchCaptions.end();
}

}  // namespace kova
