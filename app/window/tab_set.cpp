#include "app/window/tab_set.h"

#include <algorithm>
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
  // Tabs already there keep their place and only change their caption:
  // each tab added or removed costs Qt a pass over all tabs. The highlight
  // leaves the tabs to be removed first, so that removing them moves nothing.
  if (currentIndex() >= captions.size()) setCurrentIndex(0);
  while (count() > captions.size()) removeTab(count() - 1);
  for (int i = 0; i < count(); ++i) {
    if (tabText(i) != captions[i]) setTabText(i, captions[i]);
  }
  // Qt's pass over all tabs for each tab added skips hidden tabs, so the new
  // ones show only once they are all there.
  const int firstNew = count();
  for (qsizetype i = firstNew; i < captions.size(); ++i) {
    const int added = addTab(captions[i]);
    if (added > 0) setTabVisible(added, false);
  }
  for (int i = std::max(firstNew, 1); i < count(); ++i) setTabVisible(i, true);
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
