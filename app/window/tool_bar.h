// A band of the control bar: buttons linked to actions, each carrying its own
// hint, which shows only while the band's show-hint flag is set, and 8-pixel
// separators. Qt's own buttons would show the action's text as their tip.
#pragma once

#include <QToolBar>
#include <QToolButton>

#include "app/platform/window_coordinate.h"

class QMenu;

namespace kova {

class ToolButton : public QToolButton {
 public:
  ToolButton(const QString& hint, QWidget* parent);
  const QString& Hint() const { return fHint; }

 protected:
  bool event(QEvent* event) override;

 private:
  QString fHint;
};

class ToolBar : public QToolBar {
  Q_OBJECT

 public:
  static constexpr int kSeparatorWidth = 8;

  ToolBar(const char* name, QWidget* parent);

  // A button showing `action`'s image, state and check and running it.
  ToolButton* AddButton(const char* name, QAction* action, const QString& hint);
  // A button showing `caption` that drops down `menu` when clicked.
  ToolButton* AddCaptionButton(const char* name, const QString& caption, QMenu* menu);
  QWidget* AddSeparator(const char* name);

  // The buttons and separators in order, left to right.
  QList<QWidget*> Items() const;

  bool ShowHint() const { return fShowHint; }
  void SetShowHint(bool showHint) { fShowHint = showHint; }

  // Width of the grip in front of the items, by which the band is dragged.
  int GripWidth() const;

  // The band's place in the control bar: the one it was given, then, once it
  // is on screen, wherever the control bar or the user puts it. A place
  // given is kept within the window system's reach.
  QPoint Place() const { return fPlace; }
  void SetPlace(QPoint place) { fPlace = WindowPoint(place); }

  // Whether the user left the band shown. A band that floats is a window of
  // its own, which the program closes with all its windows when it ends;
  // that does not hide it for the next start.
  bool Shown() const { return !isHidden() || fClosedWithTheProgram; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool fShowHint = false;
  bool fClosedWithTheProgram = false;
  QPoint fPlace;
};

}  // namespace kova
