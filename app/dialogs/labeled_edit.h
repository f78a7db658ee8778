// A one-line edit with its caption above it, as the settings dialog lays
// out its number fields. Leaving the edit for another control of the same
// window emits exited(); switching to another window does not.
#pragma once

#include <QLineEdit>

class QLabel;

namespace kova {

class LabeledEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Places the edit at (left, top, width x 21) in parent, its label above.
  LabeledEdit(QWidget* parent, const char* name, const QString& label, int left,
              int top, int width);

  QLabel* EditLabel() const { return fEditLabel; }

 signals:
  void exited();

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QLabel* fEditLabel;
};

}  // namespace kova
