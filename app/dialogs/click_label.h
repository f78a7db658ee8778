// A label that the user can click like a link: a hand cursor, clicked() on a
// left click, and optionally underlined while the mouse is over it.
#pragma once

#include <QLabel>

namespace kova {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  ClickLabel(QWidget* parent, const char* name, bool underlineOnHover);

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetUnderlined(bool underlined);

  bool fUnderlineOnHover;
};

}  // namespace kova
