// The settings dialog on its own: its pages, the key filter of the number
// fields, the leave checks and the font buttons.
#include "app/dialogs/settings_form.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "app/platform/dialog_stub.h"
#include "app/dialogs/labeled_edit.h"
#include "app/dialogs/user_stubs.h"

namespace kova {
namespace {

class SettingsFormTest : public ::testing::Test {
 protected:
  DialogStub dialogs;
  BeepRecorder beeps;
  TSettingsForm form{nullptr};
};

TEST_F(SettingsFormTest, OpensOnTheEditorPageWithItsControlsNamed) {
  EXPECT_EQ("Einstellungen...", form.windowTitle());
  EXPECT_EQ(QSize(519, 357), form.size());
  EXPECT_EQ("Editor", form.PageControl1->tabText(0));
  EXPECT_EQ("Struktogramm", form.PageControl1->tabText(1));
  EXPECT_EQ(0, form.PageControl1->currentIndex());
  for (const char* name :
       {"SearchTextAtCaretChkBox", "EditFontLabel", "EditFontBtn", "TabWidthEdit",
        "WordWrapChkBox", "BashSyntaxChkBox", "AnweisungsHoeheEdit", "SchleifenBreiteEdit",
        "AufrufBreiteEdit", "LeerAbstandEdit", "NullBreiteEdit", "AbstandEdit", "NSDFontLabel",
        "NSDForntBtn", "AusrichtungRadioGroup", "KommentareChkBox", "Button1", "Button2"})
    EXPECT_NE(nullptr, form.findChild<QWidget*>(name)) << name;
  EXPECT_TRUE(form.Button1->isDefault());
}

TEST_F(SettingsFormTest, MetricEditsTakeDigitsAndBackspaceOnly) {
  form.show();
  LabeledEdit* edit = form.AnweisungsHoeheEdit;
  edit->setText("30");
  edit->setFocus();
  edit->end(false);
  QTest::keyClick(edit, Qt::Key_A);
  EXPECT_EQ("30", edit->text());
  EXPECT_EQ(1u, beeps.sounds.size());
  QTest::keyClick(edit, Qt::Key_Minus);
  EXPECT_EQ(2u, beeps.sounds.size());
  QTest::keyClick(edit, Qt::Key_7);
  EXPECT_EQ("307", edit->text());
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ("3", edit->text());
  EXPECT_EQ(2u, beeps.sounds.size());
  EXPECT_EQ(BeepSound::Default, beeps.sounds.front());
}

TEST_F(SettingsFormTest, TheTabWidthEditTakesLetters) {
  form.show();
  form.TabWidthEdit->setFocus();
  QTest::keyClicks(form.TabWidthEdit, "abc");
  EXPECT_EQ("abc", form.TabWidthEdit->text());
  EXPECT_TRUE(beeps.sounds.empty());
}

TEST_F(SettingsFormTest, LeavingAMetricEditWithNoNumberSaysSo) {
  form.NullBreiteEdit->setText("");
  form.AnweisungsHoeheEditExit(form.NullBreiteEdit);
  ASSERT_EQ(1u, dialogs.messages.size());
  EXPECT_EQ(MessageKind::Error, dialogs.messages[0].kind);
  EXPECT_EQ("\"\" ist keine gültige Zahl!", dialogs.messages[0].text);
  form.AbstandEdit->setText("12x");
  form.AnweisungsHoeheEditExit(form.AbstandEdit);
  EXPECT_EQ("\"12x\" ist keine gültige Zahl!", dialogs.messages[1].text);
  form.AbstandEdit->setText("$1F");
  form.AnweisungsHoeheEditExit(form.AbstandEdit);
  EXPECT_EQ(2u, dialogs.messages.size());
  EXPECT_TRUE(beeps.sounds.empty());
}

TEST_F(SettingsFormTest, LeavingWithTheKeyboardReturnsTheFocus) {
  form.show();
  QApplication::setActiveWindow(&form);
  form.PageControl1->setCurrentIndex(1);
  form.NullBreiteEdit->setText("");
  form.NullBreiteEdit->setFocus();
  QTest::keyClick(form.NullBreiteEdit, Qt::Key_Tab);
  EXPECT_EQ(1u, dialogs.messages.size());
  EXPECT_TRUE(form.NullBreiteEdit->hasFocus());
}

TEST_F(SettingsFormTest, TwoFieldsWithoutNumbersDoNotCallEachOtherBack) {
  form.show();
  QApplication::setActiveWindow(&form);
  form.PageControl1->setCurrentIndex(1);
  form.NullBreiteEdit->setText("");
  form.AbstandEdit->setText("");
  form.NullBreiteEdit->setFocus();
  QTest::keyClick(form.NullBreiteEdit, Qt::Key_Tab);
  EXPECT_EQ(1u, dialogs.messages.size());
  EXPECT_TRUE(form.NullBreiteEdit->hasFocus());
}

TEST_F(SettingsFormTest, LeavingTheTabWidthWithNoNumberOnlyBeeps) {
  form.TabWidthEdit->setText("abc");
  form.TabWidthEditExit();
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_EQ(1u, beeps.sounds.size());
  EXPECT_EQ(BeepSound::Default, beeps.sounds[0]);
  form.TabWidthEdit->setText("4");
  form.TabWidthEditExit();
  EXPECT_EQ(1u, beeps.sounds.size());
}

TEST_F(SettingsFormTest, AnAlignmentBeyondTheItemsSelectsTheLast) {
  form.SetAusrichtungIndex(7);
  EXPECT_EQ(2, form.AusrichtungIndex());
  form.SetAusrichtungIndex(0);
  EXPECT_EQ(0, form.AusrichtungIndex());
}

TEST_F(SettingsFormTest, AFontButtonChangesOnlyItsOwnLabelAndOnlyOnOk) {
  DiagramFont editFont{.name = "Courier New", .size = 9};
  DiagramFont nsdFont{.name = "Arial", .size = 10, .color = Qt::red, .orientation = 900};
  form.SetEditFont(editFont);
  form.SetNSDFont(nsdFont);
  dialogs.fontAnswers.push_back(std::nullopt);
  form.EditFontBtnClick(form.EditFontBtn);
  EXPECT_EQ(editFont, form.EditFont());
  ASSERT_EQ(1u, dialogs.fontRequests.size());
  EXPECT_EQ("Courier New", dialogs.fontRequests[0].family());
  EXPECT_EQ(9, dialogs.fontRequests[0].pointSize());
  QFont chosen(QStringLiteral("Times"), 14);
  chosen.setItalic(true);
  dialogs.fontAnswers.push_back(chosen);
  form.EditFontBtnClick(form.NSDForntBtn);
  EXPECT_EQ("Times", form.NSDFont().name);
  EXPECT_EQ(14, form.NSDFont().size);
  EXPECT_TRUE(form.NSDFont().italic);
  EXPECT_EQ(QColor(Qt::red), form.NSDFont().color) << "the dialog offers no colour";
  EXPECT_EQ(900, form.NSDFont().orientation);
  EXPECT_TRUE(form.NSDFontLabel->font().italic());
  EXPECT_EQ(editFont, form.EditFont());
}

}  // namespace
}  // namespace kova
