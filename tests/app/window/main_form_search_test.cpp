// Searching from the main window: what the dialogs propose, store and find,
// F3 and Shift+F3, and the report when nothing is found.
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <Qsci/qscilexerbash.h>
#include <Qsci/qsciscintilla.h>

#include <stdexcept>

#include "app/window/main_form_fixture.h"
#include "app/editor/editor_search.h"
#include "app/editor/search_state.h"
#include "app/dialogs/text_replace_form.h"
#include "app/dialogs/user_stubs.h"

namespace kova {
namespace {

class MainFormSearchTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    gbSearchBackwards = gbSearchCaseSensitive = gbSearchFromCaret = false;
    gbSearchSelectionOnly = gbSearchWholeWords = gbSearchRegex = false;
    gbSearchTextAtCaret = false;
    gsSearchText = gsSearchTextHistory = gsReplaceText = gsReplaceTextHistory = "";
    form->fSearchFromCaret = false;
    form->fEditor->setText("beta one\nalpha beta\n$HOME/bin beta");
  }

  // Confirms the dialog after letting fill change it; remembers what the
  // dialog proposed as its search text.
  void Confirm(const std::function<void(TTextSearchForm&)>& fill = {}) {
    answerer.action = [this, fill](QDialog& dialog) {
      auto& search = static_cast<TTextSearchForm&>(dialog);
      proposed = search.SearchText();
      if (fill) fill(search);
      search.done(QDialog::Accepted);
    };
  }

  std::array<int, 4> Selection() {
    std::array<int, 4> result{};
    form->fEditor->getSelection(&result[0], &result[1], &result[2], &result[3]);
    return result;
  }

  QString SearchMessage() { return form->StatusPanels[3]->text(); }

  BeepRecorder beeps;
  ModalAnswerer answerer;
  QString proposed;
};

using Sel = std::array<int, 4>;

TEST_F(MainFormSearchTest, ADialogSearchCoversTheWholeTextAndF3ContinuesFromTheCaret) {
  form->fEditor->setCursorPosition(2, 12);
  Confirm([](TTextSearchForm& dialog) { dialog.SetSearchText("beta"); });
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ((Sel{0, 0, 0, 4}), Selection());
  EXPECT_TRUE(form->fSearchFromCaret);
  EXPECT_EQ("beta", gsSearchText);
  EXPECT_EQ("beta", gsSearchTextHistory);
  form->DoSearchReplaceText(false, false);
  EXPECT_EQ((Sel{1, 6, 1, 10}), Selection());
  form->DoSearchReplaceText(false, true);
  EXPECT_EQ((Sel{0, 0, 0, 4}), Selection()) << "Shift+F3 goes back";
}

TEST_F(MainFormSearchTest, ABackwardDialogSearchFindsTheLastMatch) {
  Confirm([](TTextSearchForm& dialog) {
    dialog.SetSearchText("beta");
    dialog.SetSearchBackwards(true);
  });
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ((Sel{2, 10, 2, 14}), Selection());
  EXPECT_TRUE(gbSearchBackwards);
}

TEST_F(MainFormSearchTest, BeforeAnyDialogF3FindsTheSameFirstMatchAgain) {
  gsSearchText = "beta";
  form->DoSearchReplaceText(false, false);
  form->DoSearchReplaceText(false, false);
  EXPECT_EQ((Sel{0, 0, 0, 4}), Selection());
}

TEST_F(MainFormSearchTest, NothingFoundBeepsReportsAndCollapsesTheSelection) {
  gsSearchText = "gamma";
  form->fEditor->setSelection(1, 0, 1, 5);
  form->DoSearchReplaceText(false, false);
  EXPECT_EQ("Text nicht gefunden", SearchMessage());
  ASSERT_EQ(1u, beeps.sounds.size());
  EXPECT_EQ(BeepSound::Information, beeps.sounds[0]);
  EXPECT_FALSE(form->fEditor->hasSelectedText());
  int line = 0, column = 0;
  form->fEditor->getCursorPosition(&line, &column);
  EXPECT_EQ(5, column);
  form->fEditor->setSelection(1, 0, 1, 5);
  form->DoSearchReplaceText(false, true);
  form->fEditor->getCursorPosition(&line, &column);
  EXPECT_EQ(0, column) << "backwards keeps the start";
  gsSearchText = "beta";
  form->DoSearchReplaceText(false, false);
  EXPECT_EQ("", SearchMessage());
}

TEST_F(MainFormSearchTest, AnEmptyStoredTextFindsNothing) {
  form->DoSearchReplaceText(false, false);
  EXPECT_EQ("Text nicht gefunden", SearchMessage());
}

TEST_F(MainFormSearchTest, ReplaceReplacesEveryMatchInOneUndoStep) {
  Confirm([](TTextSearchForm& dialog) {
    dialog.SetSearchText("BETA");
    static_cast<TTextReplaceForm&>(dialog).SetReplaceText("gamma");
  });
  form->ShowSearchReplaceDialog(true);
  EXPECT_EQ("gamma one\nalpha gamma\n$HOME/bin gamma", form->fEditor->text());
  EXPECT_EQ("gamma", gsReplaceText);
  EXPECT_EQ("gamma", gsReplaceTextHistory);
  form->fEditor->undo();
  EXPECT_EQ("beta one\nalpha beta\n$HOME/bin beta", form->fEditor->text());
  form->DoSearchReplaceText(false, false);
  EXPECT_EQ("beta one\nalpha beta\n$HOME/bin beta", form->fEditor->text())
      << "F3 never replaces";
}

TEST_F(MainFormSearchTest, ATextTheEditorCannotHoldFindsNothingAndReplacesNothing) {
  const QString text = "a?b kK\n?";
  form->fEditor->setText(text);
  for (const bool regex : {false, true}) {
    gbSearchRegex = regex;
    Confirm([](TTextSearchForm& dialog) { dialog.SetSearchText(QStringLiteral("\u20ac")); });
    form->ShowSearchReplaceDialog(false);
    EXPECT_EQ(QStringLiteral("\u20ac"), gsSearchText) << "kept as typed, not as \"?\"";
    form->DoSearchReplaceText(false, false);
    form->DoSearchReplaceText(false, true);
    Confirm([](TTextSearchForm& dialog) {
      dialog.SetSearchText(QStringLiteral("\u20ac"));
      static_cast<TTextReplaceForm&>(dialog).SetReplaceText("x");
    });
    form->ShowSearchReplaceDialog(true);
    EXPECT_EQ("Text nicht gefunden", SearchMessage());
    EXPECT_FALSE(form->fEditor->hasSelectedText());
  }
  EXPECT_EQ(8u, beeps.sounds.size()) << "forwards, backwards and replacing find nothing";
  gbSearchRegex = false;
  gsSearchText = QStringLiteral("\u212a");
  form->DoSearchReplaceText(false, false);
  EXPECT_FALSE(form->fEditor->hasSelectedText()) << "the Kelvin sign is no k";
  Confirm([](TTextSearchForm& dialog) {
    dialog.SetSearchText("?");
    static_cast<TTextReplaceForm&>(dialog).SetReplaceText(QStringLiteral("\u20ac"));
  });
  EXPECT_THROW(form->ShowSearchReplaceDialog(true), ReplacementNotRepresentable);
  EXPECT_EQ(text, form->fEditor->text());
}

TEST_F(MainFormSearchTest, ReplaceWithoutAMatchReportsIt) {
  Confirm([](TTextSearchForm& dialog) { dialog.SetSearchText("omega"); });
  form->ShowSearchReplaceDialog(true);
  EXPECT_EQ("Text nicht gefunden", SearchMessage());
  EXPECT_EQ(1u, beeps.sounds.size());
}

TEST_F(MainFormSearchTest, AnInvalidExpressionIsRaisedAfterTheStateWasStored) {
  gbSearchFromCaret = true;
  Confirm([](TTextSearchForm& dialog) {
    dialog.SetSearchText("(beta");
    dialog.SetSearchRegularExpression(true);
    dialog.SetSearchFromCursor(false);
  });
  try {
    form->ShowSearchReplaceDialog(false);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(0, std::string(error.what()).rfind("TRegExpr(comp): ", 0));
  }
  EXPECT_TRUE(gbSearchRegex);
  EXPECT_EQ("(beta", gsSearchText);
  EXPECT_FALSE(form->fSearchFromCaret);
}

TEST_F(MainFormSearchTest, CancelStoresNothingButEmptiesTheMessage) {
  form->StatusPanels[3]->setText("Text nicht gefunden");
  gsSearchTextHistory = "old";
  answerer.action = [](QDialog& dialog) {
    auto& search = static_cast<TTextSearchForm&>(dialog);
    search.SetSearchText("new");
    search.SetSearchCaseSensitive(true);
    search.done(QDialog::Rejected);
  };
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("", gsSearchText);
  EXPECT_EQ("old", gsSearchTextHistory);
  EXPECT_FALSE(gbSearchCaseSensitive);
  EXPECT_FALSE(form->fSearchFromCaret);
  EXPECT_EQ("", SearchMessage());
  EXPECT_EQ(1, answerer.shown);
}

TEST_F(MainFormSearchTest, AConfirmedEmptyTextStoresTheOptionsAndDoesNotSearch) {
  gsSearchTextHistory = "a\r\nb";
  gbSearchFromCaret = true;
  Confirm([](TTextSearchForm& dialog) {
    dialog.SetSearchText("");
    dialog.SetSearchWholeWords(true);
  });
  form->ShowSearchReplaceDialog(false);
  EXPECT_TRUE(gbSearchWholeWords);
  EXPECT_EQ("a\r\nb", gsSearchTextHistory);
  EXPECT_TRUE(form->fSearchFromCaret);
  EXPECT_TRUE(beeps.sounds.empty());
  EXPECT_FALSE(form->fEditor->hasSelectedText());
}

TEST_F(MainFormSearchTest, TheDialogIsFilledFromTheStoredState) {
  gbSearchBackwards = gbSearchCaseSensitive = gbSearchWholeWords = true;
  gsSearchText = "one";
  gsSearchTextHistory = "one\r\ntwo";
  gsReplaceText = "r";
  answerer.action = [](QDialog& dialog) {
    auto& replace = static_cast<TTextReplaceForm&>(dialog);
    EXPECT_TRUE(replace.SearchBackwards());
    EXPECT_TRUE(replace.SearchCaseSensitive());
    EXPECT_TRUE(replace.SearchWholeWords());
    EXPECT_FALSE(replace.SearchRegularExpression());
    EXPECT_EQ("one", replace.SearchText());
    EXPECT_EQ("one\r\ntwo", replace.SearchTextHistory());
    EXPECT_EQ("r", replace.ReplaceText());
  };
  form->ShowSearchReplaceDialog(true);
  EXPECT_EQ(1, answerer.shown);
}

TEST_F(MainFormSearchTest, TheTextAtTheCaretFollowsTheHighlighter) {
  gbSearchTextAtCaret = true;
  gsSearchText = "stored";
  Confirm([](TTextSearchForm& dialog) { dialog.done(QDialog::Rejected); });
  form->fEditor->setLexer(nullptr);
  form->fEditor->setCursorPosition(2, 0);
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("", proposed) << "a dollar sign is no word character";
  form->fEditor->setCursorPosition(2, 3);
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("HOME", proposed);
  form->fEditor->setLexer(form->fShellHighlighter);
  form->fEditor->setCursorPosition(2, 0);
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("$HOME/bin", proposed);
  form->fEditor->setCursorPosition(2, 9);
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("", proposed) << "before a blank";
  form->fEditor->setCursorPosition(0, 8);
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("", proposed) << "at the end of a line";
}

TEST_F(MainFormSearchTest, ASelectionWithinOneLineIsProposed) {
  gbSearchTextAtCaret = true;
  Confirm([](TTextSearchForm& dialog) { dialog.done(QDialog::Rejected); });
  form->fEditor->setSelection(1, 2, 1, 8);
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("pha be", proposed);
  form->fEditor->setSelection(0, 6, 1, 1);
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("alpha", proposed) << "the word at the caret instead";
}

// The user presses Enter in the search field, after typing there or not:
// the dialog searches for what the field shows, in its letter case.
TEST_F(MainFormSearchTest, EnterSearchesForTheTextTheFieldShows) {
  gbSearchTextAtCaret = gbSearchCaseSensitive = true;
  gsSearchTextHistory = "Beta\r\nalpha one";
  form->fEditor->setText("Beta one\nalpha beta");
  const auto pressEnter = [this](const char* typed) {
    answerer.action = [typed](QDialog& dialog) {
      dialog.show();
      auto* field = dialog.findChild<QComboBox*>("cbSearchText");
      if (*typed) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, typed);
      }
      QTest::keyClick(field, Qt::Key_Return);
    };
  };
  form->fEditor->setCursorPosition(1, 2);
  pressEnter("");
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ((Sel{1, 0, 1, 5}), Selection()) << "the proposed word";
  EXPECT_EQ("alpha\r\nBeta\r\nalpha one", gsSearchTextHistory);
  form->fEditor->setCursorPosition(0, 0);
  pressEnter("beta");
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ((Sel{1, 6, 1, 10}), Selection());
  EXPECT_EQ("beta", gsSearchText);
  EXPECT_EQ("beta\r\nalpha\r\nalpha one", gsSearchTextHistory);
}

TEST_F(MainFormSearchTest, ConfirmingPutsTheTextOnTopOfTheStoredHistory) {
  QStringList ten;
  for (int i = 1; i <= 10; ++i) ten << QString("t%1").arg(i);
  gsSearchTextHistory = ten.join("\r\n");
  Confirm([](TTextSearchForm& dialog) { dialog.SetSearchText("T4"); });
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("T4\r\nt1\r\nt2\r\nt3\r\nt5\r\nt6\r\nt7\r\nt8\r\nt9\r\nt10", gsSearchTextHistory);
  Confirm([](TTextSearchForm& dialog) { dialog.SetSearchText("new"); });
  form->ShowSearchReplaceDialog(false);
  EXPECT_EQ("new\r\nT4\r\nt1\r\nt2\r\nt3\r\nt5\r\nt6\r\nt7\r\nt8\r\nt9", gsSearchTextHistory);
}

}  // namespace
}  // namespace kova
