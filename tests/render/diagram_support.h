// Building diagram trees by hand and drawing them with fixed text metrics,
// recording where every text went.
#ifndef KOVA_TESTS_RENDER_DIAGRAM_SUPPORT_H_
#define KOVA_TESTS_RENDER_DIAGRAM_SUPPORT_H_

#include <optional>
#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/canvas_support.h"
#include "render/diagram_metrics.h"
#include "render/diagram_painter.h"
#include "translate/dom.h"

namespace kova::test {

// Appends an element with that tag (and caption, when given) to parent.
TDomElement Add(TDomNode parent, const char* tag, std::optional<std::string> caption = {});

struct DrawnText {
  long long x;
  long long y;
  std::string text;
  bool bold;
  bool operator==(const DrawnText&) const = default;
};

class DiagramFixture {
 public:
  explicit DiagramFixture(TextWidths widths = {}, int textHeight = 13);
  // Lays out and draws the document; the picture and the texts drawn are kept.
  const QImage& Draw();
  // The text drawn with exactly that content; fails the test if there is not
  // exactly one.
  DrawnText Text(const std::string& text) const;
  int AttributeOf(const TDomElement& element, const char* name) const;

  DiagramMetrics metrics;
  TDomImplementation factory;
  TDomDocument& document;
  TDomElement root;
  Canvas canvas;
  std::vector<DrawnText> texts;
};

}  // namespace kova::test

#endif  // KOVA_TESTS_RENDER_DIAGRAM_SUPPORT_H_
