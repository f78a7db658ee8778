#include "app/window/tab_set.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <stdexcept>

#include "app/platform/error_handler.h"

namespace kova {

namespace {

QToolButton* NewScrollButton(TabSet* tabs, const char* name, const char* accessibleName, Qt::ArrowType arrow) {
  auto* button = new QToolButton(tabs);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(QCoreApplication::translate("QTabBar", accessibleName));
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->hide();
  return button;
}

// The style draws a tab's text with shortcut marks; a caption is shown as
// written, so each "&" in it is doubled.
QString LiteralText(const QString& caption) {
  return QString(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

TabSet::TabSet(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::TabFocus);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  fScrollLeft = NewScrollButton(this, "ScrollLeftButton", "Scroll Left", Qt::LeftArrow);
  fScrollRight = NewScrollButton(this, "ScrollRightButton", "Scroll Right", Qt::RightArrow);
  connect(fScrollLeft, &QToolButton::clicked, this, [this] { ScrollBy(-1); });
  connect(fScrollRight, &QToolButton::clicked, this, [this] { ScrollBy(1); });
}

void TabSet::SetTabIndex(int index) {
  if (index == fTabIndex) return;
  if (index < -1 || index >= TabCount()) {
    throw std::out_of_range("Tabulatorindex außerhalb des gültigen Bereichs");
  }
  bool allowChange = true;
  if (fOnChange) fOnChange(index, allowChange);
  if (!allowChange) return;
  fTabIndex = index;
  MakeVisible(index);
  update();
}

void TabSet::ClearTabs() { ReplaceTabs({}); }

void TabSet::AddTab(const QString& caption) {
  fCaptions.push_back(caption);
  fWidths.push_back(-1);
  TabsChanged();
}

void TabSet::ReplaceTabs(QStringList captions) {
  fCaptions = std::move(captions);
  fWidths.assign(static_cast<std::size_t>(fCaptions.size()), -1);
  fTabIndex = -1;
  fFirstIndex = 0;
  TabsChanged();
}

void TabSet::TabsChanged() {
  updateGeometry();
  ArrangeTabs();
}

void TabSet::initTabOption(QStyleOptionTab& option, int index) const {
  // What the style's own tab bars tell it about a tab of theirs.
  option.initFrom(this);
  option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
  option.shape = QTabBar::RoundedSouth;
  option.text = LiteralText(fCaptions[index]);
  option.row = 0;
  option.tabIndex = index;
  const int extent = style()->pixelMetric(QStyle::PM_TabBarIconSize, nullptr, this);
  option.iconSize = QSize(extent, extent);
  if (index == fTabIndex) {
    option.state |= QStyle::State_Selected;
    if (hasFocus()) option.state |= QStyle::State_HasFocus;
  }
  if (isActiveWindow()) option.state |= QStyle::State_Active;
  if (fTabIndex >= 0 && index == fTabIndex + 1) {
    option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
  } else if (index + 1 == fTabIndex) {
    option.selectedPosition = QStyleOptionTab::NextIsSelected;
  } else {
    option.selectedPosition = QStyleOptionTab::NotAdjacent;
  }
  const bool first = index == 0;
  const bool last = index == TabCount() - 1;
  option.position = first && last ? QStyleOptionTab::OnlyOneTab
                    : first       ? QStyleOptionTab::Beginning
                    : last        ? QStyleOptionTab::End
                                  : QStyleOptionTab::Middle;
}

int TabSet::TabWidth(int index) const {
  int& width = fWidths[static_cast<std::size_t>(index)];
  if (width < 0) {
    QStyleOptionTab option;
    initTabOption(option, index);
    const int hSpace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vSpace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    const QFontMetrics metrics = fontMetrics();
    const QSize contents(metrics.size(Qt::TextShowMnemonic, option.text).width() + hSpace,
                         metrics.height() + vSpace);
    const QSize size = style()->sizeFromContents(QStyle::CT_TabBarTab, &option, contents, this);
    width = size.width();
    fTabHeight = std::max(fTabHeight, size.height());
  }
  return width;
}

int TabSet::TabHeight() const {
  if (fTabHeight == 0 && TabCount() > 0) TabWidth(0);
  return fTabHeight;
}

int TabSet::TabsRight() const { return fScrollLeft->isHidden() ? width() : fScrollLeft->geometry().left(); }

bool TabSet::TabsRunPast(int right) const {
  int x = 0;
  for (int i = fFirstIndex; i < TabCount(); ++i) {
    x += TabWidth(i);
    if (x > right) return true;
  }
  return false;
}

QRect TabSet::TabRect(int index) const {
  if (index < fFirstIndex || index >= TabCount()) return {};
  const int right = TabsRight();
  int x = 0;
  for (int i = fFirstIndex; i < index; ++i) {
    x += TabWidth(i);
    if (x >= right) return {};
  }
  return {x, 0, TabWidth(index), TabHeight()};
}

int TabSet::TabAt(QPoint place) const {
  const int right = TabsRight();
  if (place.y() < 0 || place.y() >= TabHeight() || place.x() < 0 || place.x() >= right) return -1;
  int x = 0;
  for (int i = fFirstIndex; i < TabCount() && x < right; ++i) {
    x += TabWidth(i);
    if (place.x() < x) return i;
  }
  return -1;
}

void TabSet::MakeVisible(int index) {
  if (index < 0 || index >= TabCount()) return;
  if (index < fFirstIndex) {
    fFirstIndex = index;
  } else {
    // Only the tabs up to the right end are looked at, so that a tab far
    // out of view costs no more than one in view.
    const int right = TabsRight();
    int end = 0;
    int i = fFirstIndex;
    for (; i <= index && end <= right; ++i) end += TabWidth(i);
    if (i <= index || end > right) {
      // The scroll buttons show from here on, so the tab ends before them.
      QStyleOption option;
      option.initFrom(this);
      const int room = style()->subElementRect(QStyle::SE_TabBarScrollLeftButton, &option, this).left();
      fFirstIndex = index;
      for (int shown = TabWidth(index); fFirstIndex > 0 && shown + TabWidth(fFirstIndex - 1) <= room;) {
        shown += TabWidth(--fFirstIndex);
      }
    }
  }
  ArrangeTabs();
}

void TabSet::ScrollBy(int tabs) {
  if (tabs < 0) {
    MakeVisible(fFirstIndex - 1);
    return;
  }
  // The first tab that does not show whole comes into view; when that is
  // the first one in view, it is wider than the room, and the next comes.
  const int right = TabsRight();
  int end = 0;
  for (int i = fFirstIndex; i < TabCount(); ++i) {
    end += TabWidth(i);
    if (end > right) {
      if (i == fFirstIndex) ++i;
      if (i < TabCount()) MakeVisible(i);
      return;
    }
  }
}

void TabSet::ArrangeTabs() {
  QStyleOption option;
  option.initFrom(this);
  QRect left = style()->subElementRect(QStyle::SE_TabBarScrollLeftButton, &option, this);
  QRect right = style()->subElementRect(QStyle::SE_TabBarScrollRightButton, &option, this);
  const int room = left.left();
  // Room come free at the right end takes the tabs before the first one.
  if (fFirstIndex > 0) {
    int shown = 0;
    for (int i = fFirstIndex; i < TabCount() && shown <= width(); ++i) shown += TabWidth(i);
    int all = shown;
    for (int i = fFirstIndex; i-- > 0 && all <= width();) all += TabWidth(i);
    if (all <= width()) {
      fFirstIndex = 0;
    } else {
      while (fFirstIndex > 0 && shown + TabWidth(fFirstIndex - 1) <= room) shown += TabWidth(--fFirstIndex);
    }
  }
  const bool scrolling = fFirstIndex > 0 || TabsRunPast(width());
  if (scrolling) {
    const int buttonWidth = style()->pixelMetric(QStyle::PM_TabBarScrollButtonWidth, &option, this);
    left.setWidth(buttonWidth);
    right.setLeft(right.right() + 1 - buttonWidth);
    fScrollLeft->setGeometry(left);
    fScrollRight->setGeometry(right);
    fScrollLeft->setEnabled(fFirstIndex > 0);
    // A tab wider than the room never shows whole; when it is the last one
    // there is nothing further to scroll to.
    fScrollRight->setEnabled(fFirstIndex + 1 < TabCount() && TabsRunPast(room));
  }
  fScrollLeft->setVisible(scrolling);
  fScrollRight->setVisible(scrolling);
  update();
}

QSize TabSet::sizeHint() const {
  // The tabs' width as far as the bar can show it; a hundred thousand tabs
  // are not measured for a width no screen has.
  int tabsWidth = 0;
  for (int i = 0; i < TabCount() && tabsWidth <= std::max(width(), 1); ++i) tabsWidth += TabWidth(i);
  return {tabsWidth, TabHeight()};
}

QSize TabSet::minimumSizeHint() const {
  return {fScrollRight->sizeHint().width() * 2 + 75, TabHeight()};
}

void TabSet::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  const int right = TabsRight();
  painter.setClipRect(0, 0, right, height());
  QStyleOptionTab selected;
  QStyleOptionTab cut;
  bool isCut = false;
  int x = 0;
  for (int i = fFirstIndex; i < TabCount() && x < right; ++i) {
    QStyleOptionTab option;
    initTabOption(option, i);
    option.rect = QRect(x, 0, TabWidth(i), TabHeight());
    x += option.rect.width();
    if (x > right) {
      cut = option;
      isCut = true;
    }
    // The selected tab is drawn last, over its neighbours.
    if (i == fTabIndex) {
      selected = option;
    } else {
      painter.drawControl(QStyle::CE_TabBarTab, option);
    }
  }
  if (selected.tabIndex >= 0) painter.drawControl(QStyle::CE_TabBarTab, selected);
  if (isCut && !fScrollLeft->isHidden()) {
    cut.rect = rect();
    cut.rect = style()->subElementRect(QStyle::SE_TabBarTearIndicatorRight, &cut, this);
    painter.drawPrimitive(QStyle::PE_IndicatorTabTearRight, cut);
  }
}

void TabSet::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  const int index = TabAt(event->position().toPoint());
  if (index >= 0) UserSelected(index);
}

void TabSet::wheelEvent(QWheelEvent* event) {
  // Touchpads and fine wheels send parts of a notch; a tab moves once they
  // add up to a whole one, and what is left over is dropped.
  fWheelTurn += event->angleDelta();
  const int across = fWheelTurn.x() / QWheelEvent::DefaultDeltasPerStep;
  const int down = fWheelTurn.y() / QWheelEvent::DefaultDeltasPerStep;
  if (across > 0 || down > 0) {
    fWheelTurn = {};
    Step(-1);
  } else if (across < 0 || down < 0) {
    fWheelTurn = {};
    Step(1);
  }
}

void TabSet::leaveEvent(QEvent* event) {
  // Part of a notch turned over the bar does not count on the next visit.
  fWheelTurn = {};
  QWidget::leaveEvent(event);
}

void TabSet::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left) {
    Step(-1);
  } else if (event->key() == Qt::Key_Right) {
    Step(1);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void TabSet::Step(int step) {
  const int index = fTabIndex + step;
  if (index >= 0 && index < TabCount()) UserSelected(index);
}

void TabSet::resizeEvent(QResizeEvent* /*event*/) {
  ArrangeTabs();
  // A narrower bar must not hide the selected tab.
  MakeVisible(fTabIndex);
}

void TabSet::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    fWidths.assign(fWidths.size(), -1);
    fTabHeight = 0;
    TabsChanged();
  }
  QWidget::changeEvent(event);
}

void TabSet::UserSelected(int index) {
  // A click goes through the same rules as setting the index in code.
  RunGuarded([&] { SetTabIndex(index); });
}

}  // namespace kova
