// Layout and drawing of one diagram tree onto a canvas.
//
// Layout writes the width ("breite") and height ("hoehe") of every sequence
// and selection into the tree; drawing reads them back and paints the tree
// as a Nassi-Shneiderman diagram, each box drawing only its left and top
// edges. Both measure and draw with the canvas's font and the metrics given
// at construction, and both run on the one canvas, so the widths that layout
// measures are the widths that drawing finds.
#ifndef KOVA_RENDER_DIAGRAM_PAINTER_H_
#define KOVA_RENDER_DIAGRAM_PAINTER_H_

#include <string>

#include "render/canvas.h"
#include "render/diagram_metrics.h"
#include "translate/dom.h"

namespace kova {

// Trees nested deeper than this are refused before layout, so that neither
// pass can run out of stack.
constexpr int kMaxDiagramDepth = 1000;

class DiagramPainter {
 public:
  explicit DiagramPainter(const DiagramMetrics& metrics = ProcessDiagramMetrics());

  // Lays out the document's root sequence, sizes the canvas to the diagram
  // plus a margin of 10 pixels on every side, paints it white, draws the
  // diagram and closes its outer frame. Raises an Exception for a tree too
  // deeply nested, a diagram too large for one bitmap or metrics that give
  // it a side shorter than one pixel; the canvas then keeps its previous
  // picture.
  void DrawDiagram(TDomDocument& document, Canvas& canvas);

  // Makes the document's tree and the canvas those of the three passes
  // below; DrawDiagram does this itself.
  void SetTarget(TDomDocument& document, Canvas& canvas);

  // The width the sequence needs; writes "breite" on it and on every sequence
  // and selection below it. REQUIRES: SetTarget with the sequence's document.
  long long ComputeWidth(const TDomNode& sequence);
  // The height the sequence needs; writes "hoehe" as ComputeWidth does.
  long long ComputeHeight(const TDomNode& sequence);
  // Draws the sequence with its top-left corner at (x, y) and returns the
  // height drawn. REQUIRES: both layout passes have run on the tree.
  long long DrawSequence(long long x, long long y, long long width, const TDomNode& sequence);

 private:
  enum class RowKind { Statement, Call, Break, End };

  void DrawRowText(RowKind kind, long long x, long long y, long long width,
                   const std::string& text);
  // The text's top in a row at y: centred in the row's height.
  long long RowTextTop(long long y, const std::string& text) const;
  long long RowTextX(RowKind kind, long long x, long long width, long long textWidth) const;
  void DrawCallText(long long x, long long y, long long width, const std::string& text);
  void DrawEmptyBlock(long long x, long long y, long long width, const TDomNode& sequence);
  long long DrawUntil(long long x, long long y, long long width, const TDomNode& loop);
  long long DrawSelection(long long x, long long y, long long width, const TDomNode& selection);

  void WriteSize(const TDomNode& node, const QString& name, long long value);

  const DiagramMetrics& metrics_;
  TDomDocument* document_ = nullptr;
  Canvas* canvas_ = nullptr;
};

// The bytes of the smallest picture DrawDiagram makes with these metrics:
// an empty diagram's, one row high and as narrow as a sequence may be.
long long SmallestPictureBytes(const DiagramMetrics& metrics);

// Raises an Exception when the tree below node is nested deeper than
// kMaxDiagramDepth. Walks the tree without recursion.
void CheckDiagramDepth(const TDomNode& node);

}  // namespace kova

#endif  // KOVA_RENDER_DIAGRAM_PAINTER_H_
