#include "app/dialogs/click_label.h"

#include <QMouseEvent>

namespace kova {

ClickLabel::ClickLabel(QWidget* parent, const char* name, bool underlineOnHover)
    : QLabel(parent), fUnderlineOnHover(underlineOnHover) {
  setObjectName(QLatin1String(name));
  setCursor(Qt::PointingHandCursor);
}

void ClickLabel::SetUnderlined(bool underlined) {
  if (!fUnderlineOnHover) return;
  QFont linkFont = font();
  linkFont.setUnderline(underlined);
  setFont(linkFont);
}

void ClickLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  SetUnderlined(true);
}

void ClickLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  SetUnderlined(false);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

}  // namespace kova
