// The selection rules of the tab bar that the run depends on.
#include <gtest/gtest.h>

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
  EXPECT_EQ(tabs.currentIndex(), 2);
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
    for (int i = 0; i < tabs.TabCount(); ++i) {
      EXPECT_EQ(tabs.tabText(i), captions[i]);
      EXPECT_TRUE(tabs.isTabVisible(i));
    }
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
  EXPECT_EQ(tabs.currentIndex(), 1);
}

TEST_F(TabSetTest, ClickGoesThroughTheSameRules) {
  tabs.SetTabIndex(0);
  tabs.setCurrentIndex(2);  // what a click on the third tab does
  EXPECT_EQ(tabs.TabIndex(), 2);
  allow = false;
  tabs.setCurrentIndex(1);
  EXPECT_EQ(tabs.TabIndex(), 2);
  EXPECT_EQ(tabs.currentIndex(), 2);
  EXPECT_EQ(asked, (std::vector<int>{0, 2, 1}));
}
