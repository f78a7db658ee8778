// The editor pane in the window: where it sits, what its status bar says,
// and the editing commands.
#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QSplitter>
#include <QTest>
#include <QUrl>
#include <Qsci/qscilexerbash.h>

#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/settings_form.h"
#include "app/dialogs/user_stubs.h"
#include "app/window/main_form_fixture.h"
#include "app/window/tool_bar.h"

namespace {

using EditorPaneTest = MainFormTest;

QString Panel(const TMainForm& form, int index) { return form.StatusPanels[index]->text(); }

TEST_F(EditorPaneTest, StatusBarStartsAtLineOneColumnOneInInsertModeUnmodified) {
  EXPECT_EQ(Panel(*form, 0), "     1:  1");
  EXPECT_EQ(Panel(*form, 1), "Einfügen");
  EXPECT_EQ(Panel(*form, 2), "");
  EXPECT_FALSE(form->UndoAction->isEnabled());
  EXPECT_FALSE(form->RedoAction->isEnabled());
}

TEST_F(EditorPaneTest, StatusBarPanelsHaveTheirWidthsAndTheLastFillsTheBar) {
  form->resize(600, 400);
  form->EditUntenMenu->trigger();
  form->show();
  QApplication::processEvents();
  EXPECT_GE(form->StatusPanels[0]->width(), 75);
  EXPECT_EQ(form->StatusPanels[0]->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_GE(form->StatusPanels[1]->width(), 75);
  EXPECT_GE(form->StatusPanels[2]->width(), 75);
  EXPECT_GT(form->StatusPanels[3]->width(), 200);

  // Each panel is framed apart from the next, and switching to the longer
  // "Überschreiben" moves no panel: the mode panel already holds it whole.
  std::vector<int> lefts;
  for (const QLabel* panel : form->StatusPanels) {
    EXPECT_NE(panel->frameShape(), QFrame::NoFrame);
    lefts.push_back(panel->x());
  }
  QTest::keyClick(form->fEditor, Qt::Key_Insert);
  QApplication::processEvents();
  ASSERT_EQ(Panel(*form, 1), "Überschreiben");
  EXPECT_LE(form->StatusPanels[1]->sizeHint().width(), form->StatusPanels[1]->width());
  for (std::size_t i = 0; i < lefts.size(); ++i) EXPECT_EQ(form->StatusPanels[i]->x(), lefts[i]) << i;
}

TEST_F(EditorPaneTest, TypingShowsCaretModifiedMarkAndEnablesUndo) {
  QTest::keyClicks(form->fEditor, "echo");
  EXPECT_EQ(Panel(*form, 0), "     1:  5");
  EXPECT_EQ(Panel(*form, 2), "Geändert");
  EXPECT_TRUE(form->UndoAction->isEnabled());
  EXPECT_FALSE(form->RedoAction->isEnabled());
}

TEST_F(EditorPaneTest, TheWindowStartsWithTheFocusInTheEditor) {
  // Toolbar buttons take no focus, so what the user types at once goes into
  // the script rather than opening the first menu.
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  ASSERT_EQ(QApplication::focusWidget(), form->fEditor);
  QTest::keyClicks(QApplication::focusWidget(), "echo a");
  EXPECT_EQ(form->fEditor->text(), "echo a");
}

TEST_F(EditorPaneTest, CaretPositionUsesFixedWidthFieldsAndNeverCutsANumber) {
  form->fEditor->setText(QString(11, '\n') + "0123456789");
  form->fEditor->setCursorPosition(11, 4);
  form->fEditor->CheckStatus();
  EXPECT_EQ(Panel(*form, 0), "    12:  5");

  form->fEditor->setText(QString(1000000, '\n') + QString(1200, 'x'));
  form->fEditor->setCursorPosition(1000000, 1199);
  form->fEditor->CheckStatus();
  EXPECT_EQ(Panel(*form, 0), "1000001:1200");
}

TEST_F(EditorPaneTest, InsertKeySwitchesTheModeTextAtOnce) {
  QTest::keyClick(form->fEditor, Qt::Key_Insert);
  EXPECT_EQ(Panel(*form, 1), "Überschreiben");
  QTest::keyClick(form->fEditor, Qt::Key_Insert);
  EXPECT_EQ(Panel(*form, 1), "Einfügen");
}

TEST_F(EditorPaneTest, ClearingTheModifiedFlagEmptiesTheMarkAndRefreshesUndoRedo) {
  QTest::keyClicks(form->fEditor, "ab");
  form->UndoActionExecute();
  EXPECT_TRUE(form->RedoAction->isEnabled()) << "undoing to the saved state refreshes";
  form->fEditor->setModified(false);
  EXPECT_EQ(Panel(*form, 2), "");
}

TEST_F(EditorPaneTest, UndoAndRedoAreRefreshedOnlyByModifiedOrAllNotifications) {
  QTest::keyClicks(form->fEditor, "x");
  ASSERT_TRUE(form->UndoAction->isEnabled());
  form->UndoAction->setEnabled(false);
  form->EditorStatusChange(kova::scCaretX | kova::scCaretY | kova::scSelection | kova::scTopLine);
  EXPECT_FALSE(form->UndoAction->isEnabled());
  form->EditorStatusChange(kova::scModified);
  EXPECT_TRUE(form->UndoAction->isEnabled());
}

TEST_F(EditorPaneTest, ScrollingOnlyNotificationsChangeNoPanel) {
  for (QLabel* panel : form->StatusPanels) panel->setText("unchanged");
  form->EditorStatusChange(kova::scLeftChar | kova::scTopLine | kova::scSelection);
  for (const QLabel* panel : form->StatusPanels) EXPECT_EQ(panel->text(), "unchanged");
}

TEST_F(EditorPaneTest, UndoRedoCutCopyPasteActOnTheEditor) {
  form->fEditor->setText("alpha beta");
  form->fEditor->setSelection(0, 0, 0, 6);
  form->CutActionExecute();
  EXPECT_EQ(form->fEditor->text(), "beta");
  form->fEditor->setCursorPosition(0, 4);
  form->PasteActionExecute();
  EXPECT_EQ(form->fEditor->text(), "betaalpha ");
  form->UndoAction->setEnabled(true);
  form->UndoAction->trigger();
  EXPECT_EQ(form->fEditor->text(), "beta");
  form->RedoAction->setEnabled(true);
  form->RedoAction->trigger();
  EXPECT_EQ(form->fEditor->text(), "betaalpha ");
  form->fEditor->setSelection(0, 0, 0, 4);
  form->CopyActionExecute();
  form->fEditor->setCursorPosition(0, 0);
  form->PasteActionExecute();
  EXPECT_EQ(form->fEditor->text(), "betabetaalpha ");
}

// Drags `mime` onto the editor and drops it there; true when the drop was taken.
bool Drop(kova::ScriptEditor& editor, const QMimeData& mime) {
  const QPoint at(editor.viewport()->width() - 2, 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor.viewport(), &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor.viewport(), &drop);
  return drop.isAccepted();
}

bool DropText(kova::ScriptEditor& editor, const QString& text) {
  QMimeData mime;
  mime.setText(text);
  return Drop(editor, mime);
}

// What a file manager puts on the clipboard or drags for a file: its URL and
// its path as text.
QMimeData* CopiedFile(const QString& path) {
  auto* mime = new QMimeData;
  mime->setUrls({QUrl::fromLocalFile(path)});
  mime->setText(path);
  return mime;
}

TEST_F(EditorPaneTest, CharactersBeyondLatin1AreRefusedWhenTypedPastedOrDropped) {
  kova::BeepRecorder beeps;
  form->resize(600, 400);
  form->show();
  kova::ScriptEditor& editor = *form->fEditor;
  editor.setText("abc");
  editor.setCursorPosition(0, 3);

  QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key(0x20AC), QStringLiteral("€"), Qt::NoModifier);
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("€"));
  QApplication::sendEvent(&editor, &composed);
  EXPECT_EQ(editor.text(), "abc");
  EXPECT_EQ(beeps.sounds, std::vector<kova::BeepSound>(2, kova::BeepSound::Default));

  // A paste or drop inserts nothing at all, not even in place of the
  // selection, and says why.
  QApplication::clipboard()->setText(QStringLiteral("x€y"));
  editor.selectAll();
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_FALSE(DropText(editor, QStringLiteral("1 € ")));
  // A copied file's path is pasted as text, so it is refused alike; dropped,
  // the file inserts nothing.
  QApplication::clipboard()->setMimeData(CopiedFile(QStringLiteral("/tmp/a€.sh")));
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  const std::unique_ptr<QMimeData> draggedFile(CopiedFile(QStringLiteral("/tmp/a€.sh")));
  // The editor takes a dropped file's URL, but inserts no text for it.
  EXPECT_TRUE(Drop(editor, *draggedFile));
  QApplication::processEvents();
  EXPECT_EQ(editor.text(), "abc");
  EXPECT_EQ(editor.selectedText(), "abc");
  ASSERT_EQ(dialogs.messages.size(), 3u);
  for (const kova::MessageRequest& message : dialogs.messages) {
    EXPECT_EQ(message.kind, kova::MessageKind::Error);
    EXPECT_TRUE(message.text.contains("ISO-8859-1")) << message.text.toStdString();
  }

  // Text of ISO-8859-1 comes in as ever.
  editor.setCursorPosition(0, 3);
  QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_Adiaeresis, QStringLiteral("ä"), Qt::NoModifier);
  QApplication::clipboard()->setText(QStringLiteral("ö"));
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(DropText(editor, QStringLiteral("ß")));
  QApplication::processEvents();
  EXPECT_EQ(editor.text(), "abcäöß");
  EXPECT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(beeps.sounds.size(), 2u);
}

TEST_F(EditorPaneTest, WordWrapCountsTextLinesNotDisplayRows) {
  form->resize(500, 400);
  form->EditUntenMenu->trigger();
  form->show();
  QApplication::processEvents();
  QString longLine;
  for (int i = 0; i < 60; ++i) longLine += "word ";
  form->fEditor->setText(longLine + "\nsecond");

  QTest::keyClick(form->fEditor, Qt::Key_W, Qt::ControlModifier);
  EXPECT_TRUE(form->WordWrapAction->isChecked());
  EXPECT_EQ(form->fEditor->wrapMode(), QsciScintilla::WrapWord);
  QApplication::processEvents();
  EXPECT_GE(form->fEditor->SendScintilla(QsciScintillaBase::SCI_WRAPCOUNT, 0L), 3);
  form->fEditor->setCursorPosition(0, 299);
  form->fEditor->CheckStatus();
  EXPECT_EQ(Panel(*form, 0), "     1:300");
  form->fEditor->setCursorPosition(1, 0);
  form->fEditor->CheckStatus();
  EXPECT_EQ(Panel(*form, 0), "     2:  1");

  form->WordWrapAction->trigger();
  EXPECT_EQ(form->fEditor->wrapMode(), QsciScintilla::WrapNone);
}

TEST_F(EditorPaneTest, BashHighlightingAttachesAndDetachesTheHighlighter) {
  auto* button = form->KovaToolBar->findChild<kova::ToolButton*>("BashSyntaxTB");
  ASSERT_NE(button, nullptr);
  // A first start switches highlighting on.
  ASSERT_TRUE(button->isChecked());
  form->BashSyntaxAction->trigger();
  EXPECT_EQ(form->fEditor->lexer(), nullptr);
  EXPECT_FALSE(button->isChecked());
  form->BashSyntaxAction->trigger();
  EXPECT_EQ(form->fEditor->lexer(), form->fShellHighlighter);
  EXPECT_TRUE(button->isChecked());
  form->BashSyntaxAction->trigger();

  form->SetBashHighlighting(true);
  EXPECT_TRUE(form->BashSyntaxAction->isChecked());
  EXPECT_EQ(form->fEditor->lexer(), form->fShellHighlighter);
}

// How the editor draws each character of its text: the face, size, slant
// and colour of the character's style.
struct CharacterLook {
  std::string face;
  int size;
  bool italic;
  QColor color;
  bool operator==(const CharacterLook&) const = default;
  friend void PrintTo(const CharacterLook& look, std::ostream* out) {
    *out << look.face << " " << look.size << (look.italic ? " italic " : " ") << look.color.name().toStdString();
  }
};

CharacterLook LookAt(kova::ScriptEditor& editor, int position) {
  const auto style = static_cast<unsigned long>(editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, position));
  char face[256] = {};
  editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, style, face);
  const long bgr = editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, style);
  return {face, static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, style)),
          editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETITALIC, style) != 0,
          QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF)};
}

// Every character in the font; where highlighting is off, or at `plainWord`
// with highlighting on, also in the font's colour.
void ExpectTextInFont(TMainForm& form, const kova::DiagramFont& font, const QString& plainWord) {
  kova::ScriptEditor& editor = *form.fEditor;
  const QString text = editor.text();
  const bool highlighted = form.BashSyntaxAction->isChecked();
  for (int position = 0; position < text.size(); ++position) {
    const CharacterLook look = LookAt(editor, position);
    const bool plain = !highlighted || text.indexOf(plainWord) == position;
    const CharacterLook expected{font.name.toStdString(), font.size, font.italic,
                                 plain ? font.color.Shown() : look.color};
    EXPECT_EQ(look, expected) << "highlighting " << highlighted << ", character " << position;
  }
}

TEST_F(EditorPaneTest, TheEditorFontAndColourShowWithHighlightingOnAndOff) {
  form->show();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  kova::DiagramFont font{.name = "Courier New", .size = 13, .color = QColor(0x80, 0, 0), .italic = true};
  form->SetEditorFont(font);
  QTest::keyClicks(form->fEditor, "echo iiii # x");
  ASSERT_TRUE(form->BashSyntaxAction->isChecked());
  ExpectTextInFont(*form, font, "iiii");
  for (bool on : {false, true, false}) {
    QTest::keyClick(form->fEditor, Qt::Key_B, Qt::ControlModifier);
    ASSERT_EQ(form->BashSyntaxAction->isChecked(), on);
    ExpectTextInFont(*form, font, "iiii");
  }
  // A new font from the settings dialog while highlighting is off.
  font = kova::DiagramFont{.name = "Liberation Serif", .size = 15, .color = QColor(0, 0, 0xC0)};
  kova::ModalAnswerer answerer([&](QDialog& dialog) {
    static_cast<TSettingsForm&>(dialog).SetEditFont(font);
    dialog.done(QDialog::Accepted);
  });
  form->SettingsAction->trigger();
  ExpectTextInFont(*form, font, "iiii");
  QTest::keyClick(form->fEditor, Qt::Key_B, Qt::ControlModifier);
  ExpectTextInFont(*form, font, "iiii");
}

TEST_F(EditorPaneTest, EditorConfigurationMatchesTheProgramsEditor) {
  const auto& editor = *form->fEditor;
  EXPECT_EQ(editor.tabWidth(), 2);
  EXPECT_FALSE(editor.indentationsUseTabs());
  EXPECT_TRUE(editor.autoIndent());
  EXPECT_TRUE(editor.marginLineNumbers(0));
  EXPECT_GT(editor.marginWidth(0), 0);
  EXPECT_EQ(editor.marginWidth(1), 0);
  auto& scintilla = *form->fEditor;
  // Scintilla holds colours as 0x00BBGGRR: red 255, green 255, blue 185.
  EXPECT_EQ(scintilla.SendScintilla(QsciScintillaBase::SCI_GETCARETLINEBACK), 0xB9FFFF);
  EXPECT_TRUE(scintilla.SendScintilla(QsciScintillaBase::SCI_GETCARETLINEVISIBLE));
  EXPECT_FALSE(editor.isUtf8());
}

TEST_F(EditorPaneTest, GutterGrowsWithTheNumberOfDigits) {
  const int twoDigits = form->fEditor->marginWidth(0);
  form->fEditor->setText(QString(98, u'\n'));  // 99 lines
  EXPECT_EQ(form->fEditor->marginWidth(0), twoDigits);
  form->fEditor->setText(QString(99, u'\n'));  // 100 lines
  EXPECT_GT(form->fEditor->marginWidth(0), twoDigits);
}

TEST_F(EditorPaneTest, TabKeyIsTypedIntoTheEditor) {
  form->show();
  form->fEditor->setFocus();
  QTest::keyClick(form->fEditor, Qt::Key_Tab);
  EXPECT_EQ(form->fEditor->text(), "  ");
}

struct Placement {
  const char* name;
  QAction* TMainForm::*item;
  Qt::Orientation orientation;
  int editorIndex;
};

class EditorPositionTest : public MainFormTest,
                           public ::testing::WithParamInterface<Placement> {};

TEST_P(EditorPositionTest, PutsTheEditorAtItsEdgeWithHalfTheClientArea) {
  const Placement placement = GetParam();
  form->resize(801, 601);
  form->show();
  QApplication::processEvents();
  (form.get()->*placement.item)->trigger();

  EXPECT_TRUE((form.get()->*placement.item)->isChecked());
  for (QAction* other : {form->EditObenMenu, form->EditRechtsMenu, form->EditUntenMenu,
                         form->EditLinksMenu}) {
    if (other != form.get()->*placement.item) {
      EXPECT_FALSE(other->isChecked());
    }
  }
  EXPECT_EQ(form->Splitter->orientation(), placement.orientation);
  EXPECT_EQ(form->Splitter->indexOf(form->EditPanel), placement.editorIndex);
  EXPECT_EQ(form->Splitter->handleWidth(), 3);
  if (placement.orientation == Qt::Horizontal) {
    EXPECT_EQ(form->EditPanel->width(), 400);
    EXPECT_EQ(form->EditPanel->height(), form->ImagePanel->height());
    EXPECT_EQ(form->ImagePanel->width(), form->Splitter->width() - 400 - 3);
  } else {
    EXPECT_EQ(form->EditPanel->height(), 300);
    EXPECT_EQ(form->EditPanel->width(), form->Splitter->width());
  }

  // Resizing the window leaves the editor its size; the image pane follows.
  form->resize(901, 701);
  QApplication::processEvents();
  EXPECT_EQ(placement.orientation == Qt::Horizontal ? form->EditPanel->width()
                                                     : form->EditPanel->height(),
            placement.orientation == Qt::Horizontal ? 400 : 300);
}

INSTANTIATE_TEST_SUITE_P(
    EachPosition, EditorPositionTest,
    ::testing::Values(Placement{"Oben", &TMainForm::EditObenMenu, Qt::Vertical, 0},
                      Placement{"Rechts", &TMainForm::EditRechtsMenu, Qt::Horizontal, 1},
                      Placement{"Unten", &TMainForm::EditUntenMenu, Qt::Vertical, 1},
                      Placement{"Links", &TMainForm::EditLinksMenu, Qt::Horizontal, 0}),
    [](const ::testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, EditorPositionIsRightBeforeTheWindowIsShown) {
  form->resize(801, 601);
  form->EditLinksMenu->trigger();
  form->show();
  QApplication::processEvents();
  EXPECT_EQ(form->EditPanel->width(), 400);
}

}  // namespace
