// The tab bar under the image pane: one row of tabs, scroll buttons when
// they do not all fit, and a click selects. It keeps its own selected index
// with the rules the run relies on: clearing leaves no tab selected, adding a
// tab never selects one, setting the selected index again does nothing, and
// an index out of range is an error.
//
// A run may make a tab for each of a hundred thousand functions, so the bar
// keeps its captions in a plain list, measures a caption only when its tab
// comes into view (and then once), and paints only the tabs in view; the
// style draws each tab as it draws those of its own tab bars.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QStyleOptionTab;
class QToolButton;

namespace kova {

class TabSet : public QWidget {
 public:
  // Asked before the selection moves to `newTab`; leaving `allowChange` true
  // accepts the change.
  using ChangeHandler = std::function<void(int newTab, bool& allowChange)>;

  explicit TabSet(QWidget* parent = nullptr);

  int TabIndex() const { return fTabIndex; }
  // Does nothing for the selected index; otherwise asks the change handler
  // and takes the index when allowed. Throws for an index below -1 or at or
  // above the tab count.
  void SetTabIndex(int index);

  int TabCount() const { return static_cast<int>(fCaptions.size()); }
  // REQUIRES: 0 <= index < TabCount().
  const QString& TabCaption(int index) const { return fCaptions[index]; }
  void ClearTabs();                      // leaves TabIndex at -1
  void AddTab(const QString& caption);   // leaves TabIndex unchanged
  // Clearing and adding `captions` in one step: leaves TabIndex at -1.
  void ReplaceTabs(QStringList captions);

  void SetChangeHandler(ChangeHandler handler) { fOnChange = std::move(handler); }

  // The tab shown at the left end; the scroll buttons move it.
  int FirstIndex() const { return fFirstIndex; }
  // Where tab `index` is drawn; empty while it is scrolled out of view.
  QRect TabRect(int index) const;
  // The tab under `place`, or -1.
  int TabAt(QPoint place) const;
  QToolButton* ScrollLeftButton() const { return fScrollLeft; }
  QToolButton* ScrollRightButton() const { return fScrollRight; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void initTabOption(QStyleOptionTab& option, int index) const;
  int TabWidth(int index) const;
  int TabHeight() const;
  // The right end of the room for tabs: before the scroll buttons while
  // they are shown.
  int TabsRight() const;
  // Whether the tabs from FirstIndex on run past the room they have.
  bool TabsRunPast(int right) const;
  // Scrolls as little as needed for tab `index` to show whole.
  void MakeVisible(int index);
  void ScrollBy(int tabs);
  // Shows the scroll buttons when not every tab fits, and pulls the tabs
  // back where room has come free at the right end.
  void ArrangeTabs();
  void TabsChanged();
  // Selects the tab `step` tabs from the selected one, as the keys and the
  // wheel do.
  void Step(int step);
  void UserSelected(int index);

  QStringList fCaptions;
  // Each caption's tab width, or -1 until the tab has been in view.
  mutable std::vector<int> fWidths;
  mutable int fTabHeight = 0;
  int fTabIndex = -1;
  int fFirstIndex = 0;
  // The wheel's turn not yet taken as a step.
  QPoint fWheelTurn;
  QToolButton* fScrollLeft = nullptr;
  QToolButton* fScrollRight = nullptr;
  ChangeHandler fOnChange;
};

}  // namespace kova
