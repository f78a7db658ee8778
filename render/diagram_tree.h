// How layout and drawing read and write the diagram tree.
#ifndef KOVA_RENDER_DIAGRAM_TREE_H_
#define KOVA_RENDER_DIAGRAM_TREE_H_

#include <QDomNode>
#include <string>

namespace kova {

enum ElementKindValue : unsigned char {
  kOther = 0,
  kAnweisung = 1,
  kAuswahl = 2,
  kWhile = 3,
  kUntil = 4,
  kAufruf = 5,
  kAussprung = 6,
  kEnde = 7,
  kFall = 8,
};

unsigned char KindOf(const QDomNode& node);
std::string CaptionOf(const QDomNode& node);
long long BreiteOf(const QDomNode& node);
long long HoeheOf(const QDomNode& node);
bool IsDefaultBranchNode(const QDomNode& node);
void SetBreite(const QDomNode& node, long long value);
void SetHoehe(const QDomNode& node, long long value);

}  // namespace kova

#endif  // KOVA_RENDER_DIAGRAM_TREE_H_
