#include "render/font_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace kova {
namespace {

struct SystemColor {
  int index;
  QPalette::ColorRole role;
};

// The platform's system colour indices with a counterpart in the palette,
// paired as Qt's own theme for that platform fills its palette from them.
// Window text and the indices without a counterpart show as window text.
constexpr SystemColor kSystemColors[] = {
    {2, QPalette::Highlight},         // COLOR_ACTIVECAPTION
    {4, QPalette::Button},            // COLOR_MENU
    {5, QPalette::Base},              // COLOR_WINDOW
    {9, QPalette::HighlightedText},   // COLOR_CAPTIONTEXT
    {13, QPalette::Highlight},        // COLOR_HIGHLIGHT
    {14, QPalette::HighlightedText},  // COLOR_HIGHLIGHTTEXT
    {15, QPalette::Button},           // COLOR_BTNFACE
    {16, QPalette::Dark},             // COLOR_BTNSHADOW
    {17, QPalette::PlaceholderText},  // COLOR_GRAYTEXT
    {18, QPalette::ButtonText},       // COLOR_BTNTEXT
    {20, QPalette::Light},            // COLOR_BTNHIGHLIGHT
    {21, QPalette::Shadow},           // COLOR_3DDKSHADOW
    {22, QPalette::Midlight},         // COLOR_3DLIGHT
    {23, QPalette::ToolTipText},      // COLOR_INFOTEXT
    {24, QPalette::ToolTipBase},      // COLOR_INFOBK
    {26, QPalette::Link},             // COLOR_HOTLIGHT
};

QPalette::ColorRole RoleOf(int index) {
  for (const SystemColor& color : kSystemColors) {
    if (color.index == index) return color.role;
  }
  return QPalette::WindowText;
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
