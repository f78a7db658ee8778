#include "app/window/tab_set.h"

#include <stdexcept>

#include "app/platform/error_handler.h"

namespace kova {

TabSet::TabSet(QWidget* parent) : QTabBar(parent) {
  setShape(QTabBar::RoundedSouth);
  setDrawBase(false);
  setExpanding(false);
  connect(this, &QTabBar::currentChanged, this, [this](int index) {
    if (!fSyncing) RunGuarded([&] { UserSelected(index); });
  });
}

void TabSet::SetTabIndex(int index) {
  if (index == fTabIndex) return;
  if (index < -1 || index >= count()) {
    throw std::out_of_range("Tabulatorindex außerhalb des gültigen Bereichs");
  }
  bool allowChange = true;
  if (fOnChange) fOnChange(index, allowChange);
  if (allowChange) fTabIndex = index;
  ShowSelection();
}

void TabSet::ClearTabs() {
  fSyncing = true;
  while (count() > 0) removeTab(count() - 1);
  fSyncing = false;
  fTabIndex = -1;
}

void TabSet::ReplaceTabs(const QStringList& captions) {
  fSyncing = true;
  // Each tab added or removed costs Qt a pass over all tabs, measuring every
  // shown one, even on a hidden bar. So the tabs already there only change
  // their caption, and all but the first stay hidden until the list is
  // complete. The highlight goes to the first tab, so that neither hiding
  // nor removing tabs moves it.
  if (count() > 0) setCurrentIndex(0);
  while (count() > captions.size()) removeTab(count() - 1);
  for (int i = count() - 1; i > 0; --i) setTabVisible(i, false);
  for (int i = 0; i < count(); ++i) {
    if (tabText(i) != captions[i]) setTabText(i, captions[i]);
  }
  for (qsizetype i = count(); i < captions.size(); ++i) {
    const int added = addTab(captions[i]);
    if (added > 0) setTabVisible(added, false);
  }
  for (int i = 1; i < count(); ++i) setTabVisible(i, true);
  fSyncing = false;
  fTabIndex = -1;
}

void TabSet::AddTab(const QString& caption) {
  fSyncing = true;
  addTab(caption);
  fSyncing = false;
  ShowSelection();
}

void TabSet::ShowSelection() {
  // Qt cannot show "no tab" while it has tabs; the highlight then simply
  // stays where Qt put it until an index is chosen.
  if (fTabIndex < 0 || fTabIndex >= count()) return;
  fSyncing = true;
  setCurrentIndex(fTabIndex);
  fSyncing = false;
}

void TabSet::UserSelected(int index) {
  // A click goes through the same rules as setting the index in code; a
  // refused change puts the highlight back.
  try {
    SetTabIndex(index);
  } catch (...) {
    ShowSelection();
    throw;
  }
}

}  // namespace kova
