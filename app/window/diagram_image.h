// One diagram picture in the image pane: the canvas a run draws on, whose
// font is the one drawing measures and writes with. The widget always takes
// the size of its bitmap, at the top left of its scroll area.
#pragma once

#include <QWidget>

#include "render/canvas.h"

namespace kova {

class DiagramImage : public QWidget {
 public:
  explicit DiagramImage(QWidget* parent = nullptr);

  // For image 0 the canvas font is the diagram font.
  Canvas& BitmapCanvas() { return fCanvas; }
  const QImage& Bitmap() { return fCanvas.Image(); }

  // Takes the size of the bitmap after drawing changed it, and shows it.
  void BitmapChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Canvas fCanvas;
};

}  // namespace kova
