// The tab bar under the image pane. It keeps its own selected index with the
// rules the run relies on, which Qt's QTabBar does not follow by itself:
// clearing leaves no tab selected, adding a tab never selects one, setting the
// selected index again does nothing, and an index out of range is an error.
#pragma once

#include <QStringList>
#include <QTabBar>

#include <functional>

namespace kova {

class TabSet : public QTabBar {
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

  int TabCount() const { return count(); }
  void ClearTabs();                      // leaves TabIndex at -1
  void AddTab(const QString& caption);   // leaves TabIndex unchanged
  // Clearing and adding `captions` in one step: leaves TabIndex at -1.
  // Qt lays out every tab again for each tab captioned while the bar is
  // shown, so a long list is given to a hidden bar. Each tab added still
  // costs a pass over all tabs (Qt looks for the tab under the mouse), so
  // the tabs already there are kept and captioned anew.
  void ReplaceTabs(const QStringList& captions);

  void SetChangeHandler(ChangeHandler handler) { fOnChange = std::move(handler); }

 private:
  // Makes Qt show `fTabIndex` without treating that as a user's click.
  void ShowSelection();
  void UserSelected(int index);

  int fTabIndex = -1;
  bool fSyncing = false;
  ChangeHandler fOnChange;
};

}  // namespace kova
