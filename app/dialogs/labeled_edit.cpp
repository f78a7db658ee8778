#include "app/dialogs/labeled_edit.h"

#include <QFocusEvent>
#include <QLabel>

namespace kova {

namespace {

constexpr int kEditHeight = 21;
constexpr int kLabelHeight = 13;
constexpr int kLabelSpacing = 3;

}  // namespace

LabeledEdit::LabeledEdit(QWidget* parent, const char* name, const QString& label,
                         int left, int top, int width)
    : QLineEdit(parent), fEditLabel(new QLabel(label, parent)) {
  setObjectName(QLatin1String(name));
  setGeometry(left, top, width, kEditHeight);
  fEditLabel->setObjectName(QLatin1String(name) + QLatin1String("Label"));
  fEditLabel->move(left, top - kLabelHeight - kLabelSpacing);
  fEditLabel->adjustSize();
  fEditLabel->setBuddy(this);
}

void LabeledEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  const bool withinWindow = event->reason() != Qt::ActiveWindowFocusReason &&
                            event->reason() != Qt::PopupFocusReason;
  if (withinWindow && window()->isVisible()) emit exited();
}

}  // namespace kova
