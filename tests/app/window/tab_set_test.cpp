// The selection rules of the tab bar that the run depends on, and what the
// user does with it: click a tab, scroll to the tabs out of view, turn the
// wheel, narrow the bar.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <stdexcept>
#include <vector>

#include "app/window/tab_set.h"

class TabSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tabs.SetChangeHandler([this](int newTab, bool& allowChange) {
      asked.push_back(newTab);
      allowChange = allow;
    });
    for (const char* caption : {"Hauptprogramm", " a", " b"}) tabs.AddTab(caption);
  }

  // Shows `count` tabs, "Hauptprogramm" and functions, in a bar `width` wide.
  void ShowFunctionTabs(int count, int width) {
    QStringList captions{"Hauptprogramm"};
    for (int i = 1; i < count; ++i) captions.push_back(QStringLiteral(" f%1 ").arg(i));
    tabs.ReplaceTabs(captions);
    tabs.resize(width, tabs.sizeHint().height());
    tabs.show();
  }

  kova::TabSet tabs;
  std::vector<int> asked;
  bool allow = true;
};

TEST_F(TabSetTest, AddingTabsSelectsNone) {
  EXPECT_EQ(tabs.TabCount(), 3);
  EXPECT_EQ(tabs.TabIndex(), -1);
  EXPECT_TRUE(asked.empty());
}

TEST_F(TabSetTest, SettingTheSelectedIndexAgainDoesNothing) {
  tabs.SetTabIndex(2);
  tabs.SetTabIndex(2);
  EXPECT_EQ(asked, std::vector<int>{2});
}

TEST_F(TabSetTest, ClearingLeavesNoTabSelected) {
  tabs.SetTabIndex(1);
  tabs.ClearTabs();
  EXPECT_EQ(tabs.TabIndex(), -1);
  EXPECT_EQ(tabs.TabCount(), 0);
  tabs.AddTab("Hauptprogramm");
  EXPECT_EQ(tabs.TabIndex(), -1);
  EXPECT_EQ(asked, std::vector<int>{1});
}

TEST_F(TabSetTest, ReplacingTabsIsClearingAndAddingThem) {
  tabs.SetTabIndex(2);
  for (const QStringList& captions : {QStringList{"Hauptprogramm", " x"},
                                      QStringList{"Hauptprogramm", " a", " b", " c", " d"}}) {
    tabs.ReplaceTabs(captions);
    EXPECT_EQ(tabs.TabIndex(), -1);
    ASSERT_EQ(tabs.TabCount(), captions.size());
    for (int i = 0; i < tabs.TabCount(); ++i) EXPECT_EQ(tabs.TabCaption(i), captions[i]);
    tabs.SetTabIndex(1);
  }
  EXPECT_EQ(asked, (std::vector<int>{2, 1, 1}));
}

TEST_F(TabSetTest, IndexOutOfRangeIsAnError) {
  EXPECT_THROW(tabs.SetTabIndex(3), std::out_of_range);
  EXPECT_THROW(tabs.SetTabIndex(-2), std::out_of_range);
  tabs.SetTabIndex(-1);  // already selected: nothing happens
  EXPECT_TRUE(asked.empty());
}

TEST_F(TabSetTest, RefusedChangeKeepsTheSelection) {
  tabs.SetTabIndex(1);
  allow = false;
  tabs.SetTabIndex(2);
  EXPECT_EQ(tabs.TabIndex(), 1);
}

TEST_F(TabSetTest, ClickGoesThroughTheSameRules) {
  tabs.resize(400, tabs.sizeHint().height());
  tabs.SetTabIndex(0);
  QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.TabRect(2).center());
  EXPECT_EQ(tabs.TabIndex(), 2);
  allow = false;
  QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.TabRect(1).center());
  EXPECT_EQ(tabs.TabIndex(), 2);
  EXPECT_EQ(asked, (std::vector<int>{0, 2, 1}));
}

TEST_F(TabSetTest, TabsOutOfViewAreReachedByTheScrollButtons) {
  ShowFunctionTabs(1000, 300);
  QToolButton& left = *tabs.ScrollLeftButton();
  QToolButton& right = *tabs.ScrollRightButton();
  ASSERT_TRUE(right.isVisible());
  EXPECT_FALSE(left.isEnabled());
  EXPECT_TRUE(right.isEnabled());
  // Tabs stop before the buttons; the next one comes into view by a click.
  EXPECT_TRUE(tabs.TabRect(50).isEmpty());
  const int lastInView = tabs.TabAt(QPoint(left.x() - 1, 1));
  QTest::mouseClick(&right, Qt::LeftButton);
  EXPECT_EQ(tabs.FirstIndex(), 1);
  EXPECT_LE(tabs.TabRect(lastInView + 1).right(), left.x() - 1);
  EXPECT_TRUE(left.isEnabled());

  // Choosing a tab far out of view scrolls it in, whole, before the buttons.
  tabs.SetTabIndex(700);
  const QRect chosen = tabs.TabRect(700);
  ASSERT_FALSE(chosen.isEmpty());
  EXPECT_LE(chosen.right(), left.x() - 1);
  QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.TabRect(tabs.FirstIndex()).center());
  EXPECT_EQ(tabs.TabIndex(), tabs.FirstIndex());
  QTest::mouseClick(&left, Qt::LeftButton);
  EXPECT_TRUE(tabs.TabRect(tabs.TabIndex() - 1).isValid());

  // Once the bar is wide enough for every tab, the buttons go.
  tabs.ReplaceTabs({"Hauptprogramm", " a", " b"});
  EXPECT_FALSE(right.isVisible());
  EXPECT_EQ(tabs.FirstIndex(), 0);
}

TEST_F(TabSetTest, TabWiderThanTheBarDoesNotStopTheScrollButtons) {
  tabs.ReplaceTabs({"Hauptprogramm", QString(400, 'x'), " b", " c", " d"});
  tabs.resize(300, tabs.sizeHint().height());
  tabs.show();
  QToolButton& left = *tabs.ScrollLeftButton();
  QToolButton& right = *tabs.ScrollRightButton();
  std::vector<int> firstInView;
  for (int click = 0; click < 10 && right.isEnabled(); ++click) {
    QTest::mouseClick(&right, Qt::LeftButton);
    firstInView.push_back(tabs.FirstIndex());
  }
  EXPECT_EQ(firstInView, (std::vector<int>{1, 2}));
  EXPECT_LE(tabs.TabRect(4).right(), left.x() - 1);
  for (int click = 0; click < 10 && left.isEnabled(); ++click) QTest::mouseClick(&left, Qt::LeftButton);
  EXPECT_EQ(tabs.FirstIndex(), 0);

  // A wide last tab is the right button's end.
  tabs.ReplaceTabs({"Hauptprogramm", " a", QString(400, 'x')});
  QTest::mouseClick(&right, Qt::LeftButton);
  EXPECT_EQ(tabs.FirstIndex(), 2);
  EXPECT_FALSE(right.isEnabled());
}

TEST_F(TabSetTest, WheelMovesOneTabPerWholeNotch) {
  const auto turn = [this](int angle) {
    QWheelEvent event(QPointF(5, 5), tabs.mapToGlobal(QPointF(5, 5)), {}, QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&tabs, &event);
  };
  tabs.SetTabIndex(0);
  for (int i = 0; i < 8; ++i) turn(-15);  // an eighth of a notch each, as a touchpad sends
  EXPECT_EQ(tabs.TabIndex(), 1);
  turn(-60);
  EXPECT_EQ(tabs.TabIndex(), 1);
  turn(-60);
  EXPECT_EQ(tabs.TabIndex(), 2);
  turn(120);
  EXPECT_EQ(tabs.TabIndex(), 1);
}

TEST_F(TabSetTest, NarrowingTheBarKeepsTheSelectedTabInView) {
  ShowFunctionTabs(30, 800);
  tabs.SetTabIndex(13);
  ASSERT_EQ(tabs.FirstIndex(), 0);
  tabs.resize(200, tabs.height());
  const QRect selected = tabs.TabRect(13);
  ASSERT_FALSE(selected.isEmpty());
  EXPECT_LE(selected.right(), tabs.ScrollLeftButton()->x() - 1);
}

TEST_F(TabSetTest, AmpersandShowsAsWritten) {
  tabs.ReplaceTabs({" ab ", " a&b ", " a&&b ", "&", "&&"});
  tabs.resize(600, tabs.sizeHint().height());
  EXPECT_EQ(tabs.TabCaption(1), " a&b ");
  const int ampersand = tabs.fontMetrics().horizontalAdvance('&');
  EXPECT_NEAR(tabs.TabRect(1).width() - tabs.TabRect(0).width(), ampersand, 1);
  EXPECT_NEAR(tabs.TabRect(2).width() - tabs.TabRect(1).width(), ampersand, 1);
  // Two ampersands paint twice the ink of one.
  const QImage picture = tabs.grab().toImage();
  const auto ink = [&picture](const QRect& tab) {
    int dark = 0;
    for (int y = tab.top(); y <= tab.bottom(); ++y) {
      for (int x = tab.left(); x <= tab.right(); ++x) dark += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
  };
  const int one = ink(tabs.TabRect(3));
  EXPECT_GT(one, 0);
  EXPECT_NEAR(ink(tabs.TabRect(4)), 2 * one, one / 3);
}
