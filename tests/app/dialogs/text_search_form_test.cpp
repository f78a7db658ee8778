// The search and replace dialogs: their properties, layout and histories;
// and how all dialogs place the controls of their group boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/dialogs/settings_form.h"
#include "app/dialogs/text_replace_form.h"
#include "app/dialogs/text_search_form.h"

namespace {

template <typename T>
T* Child(QWidget& form, const char* name) {
  T* child = form.findChild<T*>(QLatin1String(name));
  EXPECT_NE(nullptr, child) << name;
  return child;
}

// The next widget that Tab moves to from widget, passing over its own parts.
QWidget* NextTabStop(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (next != widget && (widget->isAncestorOf(next) ||
                            !(next->focusPolicy() & Qt::TabFocus)))
    next = next->nextInFocusChain();
  return next;
}

TEST(TextSearchFormTest, PropertiesWriteAndReadTheirControls) {
  TTextSearchForm form(nullptr);
  EXPECT_FALSE(form.SearchBackwards());
  form.SetSearchBackwards(true);
  form.SetSearchCaseSensitive(true);
  form.SetSearchRegularExpression(true);
  form.SetSearchText("abc");
  EXPECT_TRUE(form.SearchBackwards());
  EXPECT_TRUE(Child<QCheckBox>(form, "cbSearchCaseSensitive")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(form, "cbRegularExpression")->isChecked());
  EXPECT_FALSE(form.SearchWholeWords());
  EXPECT_FALSE(form.SearchFromCursor());
  EXPECT_FALSE(form.SearchInSelectionOnly());
  EXPECT_EQ("abc", form.SearchText());
  form.SetSearchBackwards(false);
  EXPECT_FALSE(form.SearchBackwards());
}

TEST(TextSearchFormTest, SettingTheHistoryKeepsTheSearchText) {
  TTextSearchForm form(nullptr);
  form.SetSearchText("");
  form.SetSearchTextHistory("one\r\ntwo\r\nthree");
  EXPECT_EQ("", form.SearchText());
  EXPECT_EQ("one\r\ntwo\r\nthree", form.SearchTextHistory());
  EXPECT_EQ(3, Child<QComboBox>(form, "cbSearchText")->count());
  form.SetSearchTextHistory("");
  EXPECT_EQ(0, Child<QComboBox>(form, "cbSearchText")->count());
}

TEST(TextSearchFormTest, ConfirmingPutsTheTextFirstOnceWithoutRegardToCase) {
  TTextSearchForm form(nullptr);
  form.SetSearchTextHistory("alpha\r\nBeta\r\ngamma");
  form.SetSearchText("beta");
  form.accept();
  EXPECT_EQ("beta\r\nalpha\r\ngamma", form.SearchTextHistory());
  EXPECT_EQ("beta", form.SearchText());
}

// Shows the dialog, lets type act as the user, then presses Enter in the
// field (the keypad's Enter with keypad); returns whether that closed the
// dialog with OK.
bool EnterIn(TTextSearchForm& form, const char* field,
             const std::function<void(QComboBox*)>& type = {}, bool keypad = false) {
  form.show();
  auto* combo = Child<QComboBox>(form, field);
  combo->setFocus();
  if (type) type(combo);
  QTest::keyClick(combo, keypad ? Qt::Key_Enter : Qt::Key_Return,
                  keypad ? Qt::KeypadModifier : Qt::NoModifier);
  return form.isHidden() && form.result() == QDialog::Accepted;
}

void Retype(QComboBox* combo, const char* text) {
  QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(combo, text);
}

// Enter is OK: the dialog closes at once with exactly the text the user sees
// in the field, in the user's letter case, whatever the history holds.
TEST(TextSearchFormTest, EnterConfirmsTheTextAsTheUserSeesIt) {
  const QString history = "alpha\r\nBeta";
  TTextSearchForm proposed(nullptr);
  proposed.SetSearchText("gamma");
  proposed.SetSearchTextHistory(history);
  ASSERT_TRUE(EnterIn(proposed, "cbSearchText"));
  EXPECT_EQ("gamma", proposed.SearchText());
  EXPECT_EQ("gamma\r\nalpha\r\nBeta", proposed.SearchTextHistory());

  TTextSearchForm typed(nullptr);
  typed.SetSearchText("gamma");
  typed.SetSearchTextHistory(history);
  ASSERT_TRUE(EnterIn(typed, "cbSearchText", [](QComboBox* c) { Retype(c, "delta"); }));
  EXPECT_EQ("delta", typed.SearchText());
  EXPECT_EQ("delta\r\nalpha\r\nBeta", typed.SearchTextHistory());

  TTextSearchForm otherCase(nullptr);
  otherCase.SetSearchCaseSensitive(true);
  otherCase.SetSearchText("");
  otherCase.SetSearchTextHistory(history);
  ASSERT_TRUE(EnterIn(otherCase, "cbSearchText", [](QComboBox* c) { Retype(c, "beta"); }, true));
  EXPECT_EQ("beta", otherCase.SearchText());
  EXPECT_EQ("beta\r\nalpha", otherCase.SearchTextHistory());
}

TEST(TextSearchFormTest, TheEleventhEntryIsDroppedWhenReadBack) {
  TTextSearchForm form(nullptr);
  QStringList ten;
  for (int i = 1; i <= 10; ++i) ten << QString("t%1").arg(i);
  form.SetSearchTextHistory(ten.join("\r\n"));
  form.SetSearchText("new");
  form.accept();
  EXPECT_EQ(11, Child<QComboBox>(form, "cbSearchText")->count());
  ten.removeLast();
  EXPECT_EQ("new\r\n" + ten.join("\r\n"), form.SearchTextHistory());
}

TEST(TextSearchFormTest, CancelAndAnEmptyTextLeaveTheHistoryAlone) {
  TTextSearchForm cancelled(nullptr);
  cancelled.SetSearchTextHistory("a\r\nb");
  cancelled.SetSearchText("c");
  cancelled.reject();
  EXPECT_EQ("a\r\nb", cancelled.SearchTextHistory());
  TTextSearchForm empty(nullptr);
  empty.SetSearchTextHistory("a\r\nb");
  empty.SetSearchText("");
  empty.accept();
  EXPECT_EQ("a\r\nb", empty.SearchTextHistory());
}

TEST(TextSearchFormTest, TheSearchDialogHasItsCaptionSizeAndButtons) {
  TTextSearchForm form(nullptr);
  EXPECT_EQ("Suchen...", form.windowTitle());
  EXPECT_EQ(QSize(332, 180), form.size());
  EXPECT_EQ(QRect(170, 149, 75, 23), Child<QPushButton>(form, "btnOK")->geometry());
  EXPECT_TRUE(Child<QPushButton>(form, "btnOK")->isDefault());
  EXPECT_EQ("Gro&ß-/Kleinschreibng",
            Child<QCheckBox>(form, "cbSearchCaseSensitive")->text());
}

TEST(TextReplaceFormTest, TheReplaceDialogMovesTheGroupsBelowItsSecondText) {
  TTextReplaceForm form(nullptr);
  EXPECT_EQ("Ersetzen...", form.windowTitle());
  EXPECT_EQ(QSize(332, 210), form.size());
  EXPECT_EQ(QRect(96, 37, 228, 21), Child<QComboBox>(form, "cbReplaceText")->geometry());
  EXPECT_EQ(70, Child<QGroupBox>(form, "gbSearchOptions")->y());
  EXPECT_EQ(70, Child<QGroupBox>(form, "rgSearchDirection")->y());
  EXPECT_EQ(179, Child<QPushButton>(form, "btnCancel")->y());
  EXPECT_EQ(Child<QComboBox>(form, "cbReplaceText"),
            NextTabStop(Child<QComboBox>(form, "cbSearchText")));
  EXPECT_EQ(Child<QCheckBox>(form, "cbSearchCaseSensitive"),
            NextTabStop(Child<QComboBox>(form, "cbReplaceText")));
}

// Enter in either field confirms both texts as they stand.
TEST(TextReplaceFormTest, EnterInEitherFieldConfirmsBothTextsAsTheUserSeesThem) {
  for (const char* field : {"cbSearchText", "cbReplaceText"}) {
    TTextReplaceForm form(nullptr);
    form.SetSearchText("gamma");
    form.SetSearchTextHistory("alpha\r\nBeta");
    form.SetReplaceText("");
    form.SetReplaceTextHistory("Eins\r\nzwei");
    const auto typeReplacement = [&form](QComboBox*) {
      Retype(Child<QComboBox>(form, "cbReplaceText"), "eins");
    };
    ASSERT_TRUE(EnterIn(form, field, typeReplacement)) << field;
    EXPECT_EQ("gamma", form.SearchText());
    EXPECT_EQ("eins", form.ReplaceText());
    EXPECT_EQ("gamma\r\nalpha\r\nBeta", form.SearchTextHistory());
    EXPECT_EQ("eins\r\nzwei", form.ReplaceTextHistory());
  }
  TTextReplaceForm keypad(nullptr);
  keypad.SetSearchText("Beta");
  keypad.SetSearchTextHistory("alpha\r\nBeta");
  keypad.SetReplaceText("zwei");
  keypad.SetReplaceTextHistory("Eins\r\nzwei");
  ASSERT_TRUE(EnterIn(keypad, "cbReplaceText", {}, true));
  EXPECT_EQ("Beta", keypad.SearchText());
  EXPECT_EQ("zwei\r\nEins", keypad.ReplaceTextHistory());
}

TEST(TextReplaceFormTest, ConfirmingUpdatesBothHistories) {
  TTextReplaceForm form(nullptr);
  form.SetSearchTextHistory("x");
  form.SetReplaceTextHistory("R1\r\nr2");
  form.SetSearchText("y");
  form.SetReplaceText("r2");
  form.accept();
  EXPECT_EQ("y\r\nx", form.SearchTextHistory());
  EXPECT_EQ("r2\r\nR1", form.ReplaceTextHistory());
  EXPECT_EQ("r2", form.ReplaceText());
}

// A control over its group's caption or frame line hides part of them.
TEST(DialogGroupsTest, EveryControlOfAGroupLiesInsideItsFrameBelowItsCaption) {
  TTextSearchForm search(nullptr);
  TTextReplaceForm replace(nullptr);
  TSettingsForm settings(nullptr);
  for (QDialog* dialog : std::initializer_list<QDialog*>{&search, &replace, &settings}) {
    dialog->show();
    for (const QGroupBox* group : dialog->findChildren<QGroupBox*>())
      for (const QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(group->contentsRect().contains(child->geometry()))
            << group->objectName().toStdString() << ": " << child->metaObject()->className();
  }
}

}  // namespace
