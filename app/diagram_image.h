// One diagram picture in the image pane: the bitmap a run draws into, with
// the canvas font that drawing measures and writes with. The widget always
// takes the size of its bitmap, at the top left of its scroll area.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>

namespace kova {

class DiagramImage : public QWidget {
 public:
  explicit DiagramImage(QWidget* parent = nullptr);

  const QImage& Bitmap() const { return fBitmap; }
  // Takes a newly drawn bitmap and resizes the widget to it.
  void SetBitmap(QImage bitmap);

  // The font of the bitmap's canvas; for image 0 this is the diagram font.
  const QFont& CanvasFont() const { return fCanvasFont; }
  void SetCanvasFont(const QFont& font) { fCanvasFont = font; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage fBitmap;
  QFont fCanvasFont;
};

}  // namespace kova
