// A font's colour as the settings file stores it: a plain colour is the
// number 0x00BBGGRR; a number with its top bit set is a system colour, whose
// low byte is the platform's colour index and which shows as the matching
// colour of the application's palette. The number is kept as it was given,
// so that a system colour is written back as the same system colour.
#ifndef KOVA_RENDER_FONT_COLOR_H_
#define KOVA_RENDER_FONT_COLOR_H_

#include <QColor>

namespace kova {

class FontColor {
 public:
  // "Window text", the colour of a font that was never given one.
  static constexpr int kWindowText = -16777208;  // 0xFF000008

  constexpr FontColor() = default;
  // A plain colour converts implicitly: it stands for itself.
  FontColor(const QColor& color);
  FontColor(Qt::GlobalColor color);
  static constexpr FontColor FromStored(int stored) {
    FontColor color;
    color.stored_ = stored;
    return color;
  }

  constexpr int Stored() const { return stored_; }
  // The colour to draw with; a system colour is looked up each time, so that
  // it follows the palette.
  QColor Shown() const;

  constexpr bool operator==(const FontColor&) const = default;

 private:
  int stored_ = kWindowText;
};

}  // namespace kova

#endif  // KOVA_RENDER_FONT_COLOR_H_
