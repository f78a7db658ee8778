#include "app/window/tool_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHelpEvent>
#include <QLayout>
#include <QMenu>
#include <QMoveEvent>
#include <QStyle>
#include <QToolTip>

namespace kova {

ToolButton::ToolButton(const QString& hint, QWidget* parent) : QToolButton(parent), fHint(hint) {
  setAutoRaise(true);
  // A toolbar button is clicked, never focused: the focus stays where the
  // user types, and a blank typed at start does not open the "Datei" menu.
  setFocusPolicy(Qt::NoFocus);
}

bool ToolButton::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* bar = qobject_cast<const ToolBar*>(parentWidget());
    if (bar != nullptr && bar->ShowHint() && !fHint.isEmpty()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), fHint, this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QToolButton::event(event);
}

ToolBar::ToolBar(const char* name, QWidget* parent) : QToolBar(parent) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(QString::fromLatin1(name));
  // Two pixels of room around the items and none between them, so that a
  // band is as wide as its grip, its items and 4 pixels.
  layout()->setContentsMargins(2, 1, 2, 1);
  layout()->setSpacing(0);
}

ToolButton* ToolBar::AddButton(const char* name, QAction* action, const QString& hint) {
  auto* button = new ToolButton(hint, this);
  button->setObjectName(QString::fromLatin1(name));
  button->setDefaultAction(action);
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  addWidget(button);
  return button;
}

ToolButton* ToolBar::AddCaptionButton(const char* name, const QString& caption, QMenu* menu) {
  auto* button = new ToolButton(QString(), this);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setMenu(menu);
  button->setPopupMode(QToolButton::InstantPopup);
  // No drop-down arrow: the caption alone shows the menu's name.
  button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
  addWidget(button);
  return button;
}

QWidget* ToolBar::AddSeparator(const char* name) {
  auto* separator = new QFrame(this);
  separator->setObjectName(QString::fromLatin1(name));
  separator->setFrameShape(QFrame::VLine);
  separator->setFrameShadow(QFrame::Sunken);
  separator->setFixedWidth(kSeparatorWidth);
  addWidget(separator);
  return separator;
}

QList<QWidget*> ToolBar::Items() const {
  QList<QWidget*> items;
  for (QAction* action : actions()) {
    if (QWidget* item = widgetForAction(action)) items.append(item);
  }
  return items;
}

// The window system closes a floating band's window only when the user asks
// for it, which hides the band; the program closing every window as it ends
// does not.
void ToolBar::closeEvent(QCloseEvent* event) {
  QToolBar::closeEvent(event);
  fClosedWithTheProgram = event->isAccepted() && !event->spontaneous();
}

void ToolBar::moveEvent(QMoveEvent* event) {
  QToolBar::moveEvent(event);
  if (isVisible() && !isFloating()) fPlace = pos();
}

// The first placing on screen happens before the band counts as visible.
void ToolBar::showEvent(QShowEvent* event) {
  QToolBar::showEvent(event);
  fClosedWithTheProgram = false;
  if (!isFloating()) fPlace = pos();
}

int ToolBar::GripWidth() const {
  return isMovable() ? style()->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, this) : 0;
}

}  // namespace kova
