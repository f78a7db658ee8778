// The diagram font as the settings store it and the canvas draws with it.
#ifndef KOVA_RENDER_DIAGRAM_FONT_H_
#define KOVA_RENDER_DIAGRAM_FONT_H_

#include <QFont>
#include <QString>

#include "render/font_color.h"

namespace kova {

// The defaults are those of a new canvas.
struct DiagramFont {
  QString name = QStringLiteral("Arial");
  int size = 8;  // points at 96 dots per inch
  FontColor color{};  // window text
  int orientation = 0;  // tenths of a degree, counter-clockwise
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;

  bool operator==(const DiagramFont&) const = default;
};

// The font's name and style flags as a Qt font; the caller sets its size in
// the unit it works in.
QFont StyledQFont(const DiagramFont& font);

// The styled font sized in points for views that work in points: the stored
// size's magnitude, kept within what a text view can show.
QFont PointSizedQFont(const DiagramFont& font);

// The Qt font that draws like the diagram font: its size becomes a pixel
// height so that measurements do not depend on the screen's resolution.
QFont ToQFont(const DiagramFont& font);

}  // namespace kova

#endif  // KOVA_RENDER_DIAGRAM_FONT_H_
