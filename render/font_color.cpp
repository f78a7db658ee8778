#include "render/font_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace kova {
namespace {

// The platform's system colour indices with a counterpart in the palette,
// paired as Qt's own theme for that platform fills its palette from them.
QPalette::ColorRole RoleOf(int index) {
  switch (index) {
    case 2:  // COLOR_ACTIVECAPTION
    case 13:  // COLOR_HIGHLIGHT
      return QPalette::Highlight;
    case 4:  // COLOR_MENU
    case 15:  // COLOR_BTNFACE
      return QPalette::Button;
    case 5:  // COLOR_WINDOW
      return QPalette::Base;
    case 9:  // COLOR_CAPTIONTEXT
    case 14:  // COLOR_HIGHLIGHTTEXT
      return QPalette::HighlightedText;
    case 16:  // COLOR_BTNSHADOW
      return QPalette::Dark;
    case 17:  // COLOR_GRAYTEXT
      return QPalette::PlaceholderText;
    case 18:  // COLOR_BTNTEXT
      return QPalette::ButtonText;
    case 20:  // COLOR_BTNHIGHLIGHT
      return QPalette::Light;
    case 21:  // COLOR_3DDKSHADOW
      return QPalette::Shadow;
    case 22:  // COLOR_3DLIGHT
      return QPalette::Midlight;
    case 23:  // COLOR_INFOTEXT
      return QPalette::ToolTipText;
    case 24:  // COLOR_INFOBK
      return QPalette::ToolTipBase;
    case 26:  // COLOR_HOTLIGHT
      return QPalette::Link;
    default:  // COLOR_WINDOWTEXT, COLOR_MENUTEXT and whatever has no counterpart
      return QPalette::WindowText;
  }
}

}  // namespace

FontColor::FontColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  stored_ = rgb.red() | rgb.green() << 8 | rgb.blue() << 16;
}

FontColor::FontColor(Qt::GlobalColor color) : FontColor(QColor(color)) {}

QColor FontColor::Shown() const {
  if (stored_ < 0) return QGuiApplication::palette().color(RoleOf(stored_ & 0xFF));
  return QColor(stored_ & 0xFF, (stored_ >> 8) & 0xFF, (stored_ >> 16) & 0xFF);
}

}  // namespace kova
