// The file commands of the main window: opening and saving with the file's
// own line breaks, the save question, the title and the highlighting choice
// of the file dialogs' filters.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "app/editor/editor_bytes.h"
#include "app/platform/session_end.h"
#include "app/storage/file_bytes.h"
#include "app/window/diagram_image.h"
#include "app/window/main_form_fixture.h"
#include "app/window/tab_set.h"
#include "support/address_sanitizer.h"
#include "translate/memory_budget.h"

namespace {

// While it lives, the process can map only `headroom` bytes more than it
// has: taking memory for the whole of a file of gigabytes fails.
class AddressSpaceLimit {
 public:
  explicit AddressSpaceLimit(rlim_t headroom) {
    getrlimit(RLIMIT_AS, &fPrevious);
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    rlimit limit = fPrevious;
    limit.rlim_cur = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + headroom;
    setrlimit(RLIMIT_AS, &limit);
  }
  ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &fPrevious); }
  AddressSpaceLimit(const AddressSpaceLimit&) = delete;
  AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

 private:
  rlimit fPrevious{};
};

using kova::FileChoice;
using kova::MessageButton;
using kova::MessageKind;

const QString kUnnamedQuestion = QString::fromUtf8(
    "Der Text in der unbenannten Datei wurde verändert.\r\n\r\nÄnderungen speichern?");

class FileCommandsTest : public MainFormTest {
 protected:
  QString PathOf(const QString& name) const { return folder.filePath(name); }

  // Opens the file through "Öffnen..." with the given filter entry chosen.
  void Open(const QString& path, int filter = 4) {
    dialogs.fileAnswers.push_back(FileChoice{path, filter});
    form->OpenAction->trigger();
  }

  void SaveAs(const QString& path, int filter = 3) {
    dialogs.fileAnswers.push_back(FileChoice{path, filter});
    form->SaveAsAction->trigger();
  }

  void Modify() { form->fEditor->insert(QStringLiteral("edit ")); }

  // The text is modified and the user lets it go at the session's end.
  void ModifyAndAnswerNoAtTheSessionEnd(kova::SessionEnd& session) {
    form->show();
    Modify();
    dialogs.messageAnswers = {MessageButton::No};
    form->SessionEndQuery(session);
  }

  QString NamedQuestion(const QString& path) const {
    return QString::fromUtf8("Der Text in der Datei \"%1\" wurde verändert.\r\n\r\nÄnderungen speichern?")
        .arg(path);
  }

  QAction* CheckedLineBreakItem() const {
    for (QAction* item : {form->WindowsMenu, form->UnixMenu, form->MacMenu}) {
      if (item->isChecked()) return item;
    }
    return nullptr;
  }

  std::vector<kova::MessageRequest> Errors() const {
    std::vector<kova::MessageRequest> errors;
    for (const kova::MessageRequest& message : dialogs.messages) {
      if (message.kind == MessageKind::Error) errors.push_back(message);
    }
    return errors;
  }
};

struct RoundTrip {
  std::string bytes;
  std::vector<QString> lines;
  const char* lineBreakItem;
  std::string saved;
};

TEST_F(FileCommandsTest, OpeningAndSavingKeepsTheFilesBreaks) {
  const RoundTrip examples[] = {
      {"a\r\nb\r\n", {"a", "b", ""}, "WindowsMenu", "a\r\nb\r\n"},
      {"x\ry\nz", {"x", "y", "z"}, "MacMenu", "x\ry\rz"},
      {"a\n\rb", {"a", "", "b"}, "UnixMenu", "a\n\nb"},
      {"a\r\nb", {"a", "b"}, "WindowsMenu", "a\r\nb"},
      {"", {""}, "WindowsMenu", ""},
      {"no break", {"no break"}, "WindowsMenu", "no break"},
  };
  for (const RoundTrip& example : examples) {
    SCOPED_TRACE(example.bytes);
    kova::PutFileBytes(PathOf("example.sh"), example.bytes);
    form->UnixMenu->setChecked(true);
    Open(PathOf("example.sh"));
    ASSERT_EQ(form->fEditor->lines(), static_cast<int>(example.lines.size()));
    for (std::size_t i = 0; i < example.lines.size(); ++i) {
      EXPECT_EQ(form->EditorLines()[i], example.lines[i].toStdString());
    }
    ASSERT_NE(CheckedLineBreakItem(), nullptr);
    EXPECT_EQ(CheckedLineBreakItem()->objectName(), example.lineBreakItem);
    EXPECT_FALSE(form->fEditor->isModified());
    form->SaveAction->trigger();
    EXPECT_EQ(kova::FileBytes(PathOf("example.sh")), example.saved);
  }
  EXPECT_TRUE(Errors().empty());
}

TEST_F(FileCommandsTest, SavingTrimsTheEditedLinesOnly) {
  const std::string bytes = "kept  \r\nedited\r\n  ";
  kova::PutFileBytes(PathOf("blanks.sh"), bytes);
  Open(PathOf("blanks.sh"));
  form->SaveAction->trigger();
  EXPECT_EQ(kova::FileBytes(PathOf("blanks.sh")), bytes);

  form->fEditor->setCursorPosition(1, 6);
  QTest::keyClicks(form->fEditor, "x  ");
  form->SaveAction->trigger();
  EXPECT_EQ(kova::FileBytes(PathOf("blanks.sh")), "kept  \r\neditedx\r\n  ");
  EXPECT_EQ(form->fEditor->text(1), "editedx\r\n");
  EXPECT_FALSE(form->fEditor->isModified());
}

// An edit that only moves a line, by a line break put before it or by whole
// lines taken away above it, leaves the line's blanks; a line the edit joins
// to another loses them.
TEST_F(FileCommandsTest, LinesAnEditOnlyMovesKeepTheirBlanks) {
  struct Edit {
    const char* name;
    int line;
    std::function<void(kova::ScriptEditor&)> keys;
    std::string result;
  };
  const auto click = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [key, modifiers](kova::ScriptEditor& editor) { QTest::keyClick(&editor, key, modifiers); };
  };
  const Edit edits[] = {
      {"paste of a line", 1,
       [](kova::ScriptEditor& editor) {
         QApplication::clipboard()->setText(QStringLiteral("x\n"));
         QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
       },
       "a  \nx\nb  \nc  "},
      {"Enter at a line's start", 2, click(Qt::Key_Return), "a  \nb  \n\nc  "},
      {"Delete of the line above", 0,
       [](kova::ScriptEditor& editor) {
         editor.setSelection(0, 0, 1, 0);
         QTest::keyClick(&editor, Qt::Key_Delete);
       },
       "b  \nc  "},
      {"Delete of an edited line above", 0,
       [](kova::ScriptEditor& editor) {
         QTest::keyClick(&editor, Qt::Key_Z);
         editor.setSelection(0, 0, 1, 0);
         QTest::keyClick(&editor, Qt::Key_Delete);
       },
       "b  \nc  "},
      {"Backspace joining two lines", 1, click(Qt::Key_Backspace), "a  b\nc  "},
  };
  const std::string bytes = "a  \nb  \nc  ";
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    kova::PutFileBytes(PathOf("moved.sh"), bytes);
    Open(PathOf("moved.sh"));
    form->fEditor->setCursorPosition(edit.line, 0);
    edit.keys(*form->fEditor);
    for (Qt::Key away : {Qt::Key_Down, Qt::Key_Up}) {
      QTest::keyClick(form->fEditor, away);
      QApplication::processEvents();
    }
    EXPECT_EQ(kova::EditorBytes(*form->fEditor), edit.result);
    form->SaveAction->trigger();
    EXPECT_EQ(kova::FileBytes(PathOf("moved.sh")), edit.result);
  }
}

TEST_F(FileCommandsTest, BinaryFileComesBackByteForByte) {
  std::string bytes;
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 256; ++i) {
      if (i != '\r' && i != '\n') bytes += static_cast<char>(i);
    }
    bytes += "\r\n";
  }
  bytes += std::string(3, '\0');
  kova::PutFileBytes(PathOf("binary.dat"), bytes);
  Open(PathOf("binary.dat"));
  form->SaveAction->trigger();
  EXPECT_EQ(kova::FileBytes(PathOf("binary.dat")), bytes);
}

TEST_F(FileCommandsTest, ChosenBreakIsWrittenBetweenLinesOnly) {
  kova::PutFileBytes(PathOf("win.sh"), "a\r\nb\r\nc");
  Open(PathOf("win.sh"));
  form->UnixMenu->trigger();
  form->SaveAction->trigger();
  EXPECT_EQ(kova::FileBytes(PathOf("win.sh")), "a\nb\nc");
  // Choosing the checked item again unchecks it, and no item means CR LF.
  form->UnixMenu->trigger();
  ASSERT_EQ(CheckedLineBreakItem(), nullptr);
  form->SaveAction->trigger();
  EXPECT_EQ(kova::FileBytes(PathOf("win.sh")), "a\r\nb\r\nc");
}

TEST_F(FileCommandsTest, OpenDialogAsksWithItsTitleAndFilters) {
  Open(PathOf("none.sh"));
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  const kova::FileDialogRequest& request = dialogs.fileRequests[0];
  EXPECT_EQ(request.mode, kova::FileDialogMode::Open);
  EXPECT_EQ(request.title, QString::fromUtf8("Öffnen..."));
  ASSERT_EQ(request.filters.size(), 4u);
  EXPECT_EQ(request.filters[0].description, "Alle geeigneten Dateien(*.sh;*.txt)");
  EXPECT_EQ(request.filters[0].pattern, "*.sh;*.txt");
  EXPECT_EQ(request.filters[3].description, "Alle Dateien (*.*)");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_TRUE(request.defaultExtension.isEmpty());
}

TEST_F(FileCommandsTest, SaveDialogAsksWithItsTitleFiltersAndExtension) {
  SaveAs(PathOf("new.sh"));
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  const kova::FileDialogRequest& request = dialogs.fileRequests[0];
  EXPECT_EQ(request.mode, kova::FileDialogMode::Save);
  EXPECT_EQ(request.title, "Speichern...");
  ASSERT_EQ(request.filters.size(), 3u);
  EXPECT_EQ(request.filters[0].description, "Bash-Skript (*.sh)");
  EXPECT_EQ(request.filters[1].description, "Textdatei (*.txt)");
  EXPECT_EQ(request.filters[2].description, "Alle Dateien (*.*)");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_EQ(request.defaultExtension, "sh");
  EXPECT_TRUE(request.overwritePrompt);
  EXPECT_TRUE(request.fileName.isEmpty());
}

TEST_F(FileCommandsTest, TitleNamesTheFileAfterOpenAndSaveAsAndNotAfterNew) {
  EXPECT_EQ(form->windowTitle(), "KOVA - *unbenannt*");
  kova::PutFileBytes(PathOf("a.sh"), "echo a");
  Open(PathOf("a.sh"));
  EXPECT_EQ(form->windowTitle(), "KOVA - " + PathOf("a.sh"));
  EXPECT_EQ(form->fFileName, PathOf("a.sh"));
  SaveAs(PathOf("b.txt"));
  EXPECT_EQ(form->windowTitle(), "KOVA - " + PathOf("b.txt"));
  EXPECT_EQ(kova::FileBytes(PathOf("b.txt")), "echo a");
  form->NewAction->trigger();
  EXPECT_EQ(form->windowTitle(), "KOVA - *unbenannt*");
  EXPECT_TRUE(form->fFileName.isEmpty());
  EXPECT_EQ(form->fEditor->text(), "");
}

TEST_F(FileCommandsTest, OpenFiltersChooseHighlighting) {
  kova::PutFileBytes(PathOf("plain.txt"), "x");
  const struct {
    int filter;
    bool before;
    bool after;
  } cases[] = {{1, true, true}, {1, false, false}, {2, false, true},
               {3, true, false}, {4, true, true}, {4, false, false}};
  for (const auto& example : cases) {
    SCOPED_TRACE(example.filter);
    form->SetBashHighlighting(example.before);
    Open(PathOf("plain.txt"), example.filter);
    EXPECT_EQ(form->BashSyntaxAction->isChecked(), example.after);
    EXPECT_EQ(form->fEditor->lexer() != nullptr, example.after);
  }
}

TEST_F(FileCommandsTest, SaveFiltersChooseHighlighting) {
  const struct {
    int filter;
    bool before;
    bool after;
  } cases[] = {{1, false, true}, {2, true, false}, {3, true, true}, {3, false, false}};
  int saved = 0;
  for (const auto& example : cases) {
    SCOPED_TRACE(example.filter);
    form->SetBashHighlighting(example.before);
    SaveAs(PathOf("saved%1").arg(++saved), example.filter);
    EXPECT_EQ(form->BashSyntaxAction->isChecked(), example.after);
  }
}

TEST_F(FileCommandsTest, NoToTheOverwriteQuestionGoesOnInTheSameDialog) {
  kova::PutFileBytes(PathOf("alt.sh"), "alt");
  form->fEditor->setText("neu");
  form->SetBashHighlighting(true);
  dialogs.messageAnswers = {MessageButton::No};
  dialogs.fileAnswers.push_back(FileChoice{PathOf("alt.sh"), 1});
  SaveAs(PathOf("neu.txt"), 2);
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Confirmation);
  EXPECT_EQ(kova::FileBytes(PathOf("alt.sh")), "alt");
  EXPECT_EQ(kova::FileBytes(PathOf("neu.txt")), "neu");
  EXPECT_EQ(form->fFileName, PathOf("neu.txt"));
  EXPECT_FALSE(form->BashSyntaxAction->isChecked());
}

TEST_F(FileCommandsTest, UnmodifiedTextIsGivenUpWithoutQuestion) {
  form->NewAction->trigger();
  Open(PathOf("none.sh"));
  EXPECT_TRUE(dialogs.messages.empty() || dialogs.messages[0].kind != MessageKind::Warning);
  form->close();
  EXPECT_FALSE(form->isVisible());
  for (const kova::MessageRequest& message : dialogs.messages) {
    EXPECT_NE(message.kind, MessageKind::Warning);
  }
}

TEST_F(FileCommandsTest, QuestionForAnUnnamedText) {
  Modify();
  dialogs.messageAnswers = {MessageButton::Cancel};
  form->NewAction->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(dialogs.messages[0].text, kUnnamedQuestion);
  EXPECT_EQ(dialogs.messages[0].buttons,
            MessageButton::Yes | MessageButton::No | MessageButton::Cancel);
  EXPECT_EQ(form->fEditor->text(), "edit ");
  EXPECT_TRUE(form->fEditor->isModified());
}

TEST_F(FileCommandsTest, NoDiscardsTheTextWithoutWriting) {
  kova::PutFileBytes(PathOf("named.sh"), "old");
  Open(PathOf("named.sh"));
  Modify();
  dialogs.messageAnswers = {MessageButton::No};
  form->NewAction->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, NamedQuestion(PathOf("named.sh")));
  EXPECT_EQ(form->fEditor->text(), "");
  EXPECT_FALSE(form->fEditor->isModified());
  EXPECT_EQ(kova::FileBytes(PathOf("named.sh")), "old");
}

TEST_F(FileCommandsTest, YesWritesANamedTextUnderItsName) {
  kova::PutFileBytes(PathOf("named.sh"), "old");
  Open(PathOf("named.sh"));
  Modify();
  kova::PutFileBytes(PathOf("other.sh"), "other");
  dialogs.messageAnswers = {MessageButton::Yes};
  Open(PathOf("other.sh"));
  EXPECT_EQ(kova::FileBytes(PathOf("named.sh")), "edit old");
  EXPECT_EQ(form->fEditor->text(), "other");
  EXPECT_EQ(form->fFileName, PathOf("other.sh"));
}

TEST_F(FileCommandsTest, YesOnAnUnnamedTextSavesAs) {
  Modify();
  dialogs.messageAnswers = {MessageButton::Yes};
  dialogs.fileAnswers = {FileChoice{PathOf("first.sh"), 1}};
  form->NewAction->trigger();
  // The edited line is saved without its trailing blank.
  EXPECT_EQ(kova::FileBytes(PathOf("first.sh")), "edit");
  EXPECT_EQ(form->fEditor->text(), "");
  EXPECT_EQ(form->windowTitle(), "KOVA - *unbenannt*");
}

TEST_F(FileCommandsTest, YesThenCancelledSaveAsKeepsTheText) {
  Modify();
  dialogs.messageAnswers = {MessageButton::Yes};
  form->NewAction->trigger();
  EXPECT_EQ(form->fEditor->text(), "edit ");
  EXPECT_TRUE(form->fEditor->isModified());
  // Closing likewise stays open.
  dialogs.messageAnswers = {MessageButton::Yes};
  form->show();
  form->close();
  EXPECT_TRUE(form->isVisible());
}

TEST_F(FileCommandsTest, CancelKeepsTheWindowOpen) {
  Modify();
  form->show();
  dialogs.messageAnswers = {MessageButton::Cancel};
  form->CloseMenu->trigger();
  EXPECT_TRUE(form->isVisible());
  dialogs.messageAnswers = {MessageButton::No};
  form->CloseMenu->trigger();
  EXPECT_FALSE(form->isVisible());
}

// The session manager's side of a log-off or shut-down.
struct SessionStub final : kova::SessionEnd {
  explicit SessionStub(bool interaction) : interaction(interaction) {}
  bool AllowsInteraction() override {
    ++interactionRequests;
    return interaction;
  }
  void Cancel() override { ++cancels; }
  bool interaction;
  int interactionRequests = 0;
  int cancels = 0;
};

TEST_F(FileCommandsTest, SessionEndAsksTheSaveQuestionWhereTheUserMayBeAsked) {
  SessionStub unmodified(true);
  form->SessionEndQuery(unmodified);
  EXPECT_EQ(unmodified.interactionRequests, 0) << "nothing to ask, no one is kept waiting";
  EXPECT_EQ(unmodified.cancels, 0);

  Modify();
  SessionStub noOneToAsk(false);
  form->SessionEndQuery(noOneToAsk);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(noOneToAsk.cancels, 1);
  EXPECT_EQ(form->fEditor->text(), "edit ");

  dialogs.messageAnswers = {MessageButton::Cancel};
  SessionStub cancelled(true);
  form->SessionEndQuery(cancelled);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kUnnamedQuestion);
  EXPECT_EQ(cancelled.cancels, 1);

  dialogs.messageAnswers = {MessageButton::Yes};
  SessionStub saveAsCancelled(true);
  form->SessionEndQuery(saveAsCancelled);
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(saveAsCancelled.cancels, 1);
  EXPECT_TRUE(form->fEditor->isModified());

  dialogs.messageAnswers = {MessageButton::Yes};
  dialogs.fileAnswers = {FileChoice{PathOf("saved.sh"), 1}};
  SessionStub saved(true);
  form->SessionEndQuery(saved);
  EXPECT_EQ(saved.cancels, 0);
  // Saved as typed, but for the trailing blank of the edited line.
  EXPECT_EQ(kova::FileBytes(PathOf("saved.sh")), "edit");
}

// The platform's end of the session: while the message loop runs, the
// application is told to quit, and Qt closes the windows.
void EndSession() {
  QTimer::singleShot(0, [] {
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    // The loop ends also where a window stayed open.
    QCoreApplication::exit();
  });
  QCoreApplication::exec();
}

TEST_F(FileCommandsTest, NoAtTheSessionEndIsNotAskedAgainWhenItClosesTheWindow) {
  SessionStub session(true);
  ModifyAndAnswerNoAtTheSessionEnd(session);
  EXPECT_EQ(session.cancels, 0);
  // An edit takes the answer back.
  Modify();
  dialogs.messageAnswers = {MessageButton::Cancel};
  EndSession();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(dialogs.messages.size(), 2u);

  dialogs.messageAnswers = {MessageButton::No};
  form->SessionEndQuery(session);
  EndSession();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(dialogs.messages.size(), 3u) << "the session's end closes the window without a second question";
}

TEST_F(FileCommandsTest, NoAtASessionEndThatGoesOnIsAskedAgainAtTheNextClose) {
  SessionStub session(true);
  ModifyAndAnswerNoAtTheSessionEnd(session);
  ASSERT_EQ(session.cancels, 0);
  // Another program cancels the log-off: nothing ends, the user goes on.
  dialogs.messageAnswers = {MessageButton::Cancel};
  form->CloseMenu->trigger();
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].text, kUnnamedQuestion);
  // The window's close button likewise.
  dialogs.messageAnswers = {MessageButton::Cancel};
  form->close();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(form->fEditor->text(), "edit ");
  EXPECT_TRUE(form->fEditor->isModified());
}

TEST_F(FileCommandsTest, SaveOnAnUnnamedTextAsksForAName) {
  Modify();
  form->SaveAction->trigger();
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].mode, kova::FileDialogMode::Save);
  EXPECT_TRUE(form->fEditor->isModified());
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).filter(".sh").isEmpty());
}

TEST_F(FileCommandsTest, SaveWritesANamedTextEvenWhenUnmodified) {
  kova::PutFileBytes(PathOf("named.sh"), "content");
  Open(PathOf("named.sh"));
  kova::PutFileBytes(PathOf("named.sh"), "changed outside");
  form->SaveAction->trigger();
  EXPECT_EQ(kova::FileBytes(PathOf("named.sh")), "content");
  EXPECT_TRUE(dialogs.fileRequests.size() == 1u);
}

TEST_F(FileCommandsTest, FailedWriteKeepsTheOldFileAndTheModifiedText) {
  kova::PutFileBytes(PathOf("keep.sh"), "old content");
  Open(PathOf("keep.sh"));
  form->fEditor->insert(QString(100000, 'n'));
  {
    const kova::FileSizeLimit limit(4096);
    form->SaveAction->trigger();
  }
  EXPECT_EQ(kova::FileBytes(PathOf("keep.sh")), "old content");
  EXPECT_TRUE(form->fEditor->isModified());
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text, "Die Datei wäre größer, als das System erlaubt");
}

TEST_F(FileCommandsTest, FailedSaveAsKeepsNameAndTitle) {
  Modify();
  SaveAs(PathOf("missing/new.sh"));
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text, "Ungültiger Dateiname");
  EXPECT_TRUE(form->fFileName.isEmpty());
  EXPECT_EQ(form->windowTitle(), "KOVA - *unbenannt*");
  EXPECT_TRUE(form->fEditor->isModified());
}

TEST_F(FileCommandsTest, FailedWriteAfterYesStopsTheCommand) {
  kova::PutFileBytes(PathOf("named.sh"), "old");
  Open(PathOf("named.sh"));
  Modify();
  ASSERT_TRUE(QFile::remove(PathOf("named.sh")));
  ASSERT_TRUE(QDir(folder.path()).mkdir("named.sh"));
  dialogs.messageAnswers = {MessageButton::Yes};
  form->NewAction->trigger();
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text, "Das Ziel ist ein Ordner, keine Datei");
  EXPECT_EQ(form->fEditor->text(), "edit old");
  EXPECT_EQ(form->fFileName, PathOf("named.sh"));
}

TEST_F(FileCommandsTest, FailedLoadLeavesTheWindowAsItWas) {
  kova::PutFileBytes(PathOf("named.sh"), "kept");
  Open(PathOf("named.sh"), 2);
  ASSERT_TRUE(form->BashSyntaxAction->isChecked());
  Open(PathOf("missing.txt"), 3);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text,
            QString::fromUtf8("Datei %1 kann nicht geöffnet werden. Das System kann die "
                              "angegebene Datei nicht finden.")
                .arg(PathOf("missing.txt")));
  EXPECT_EQ(form->fEditor->text(), "kept");
  EXPECT_EQ(form->fFileName, PathOf("named.sh"));
  EXPECT_EQ(form->windowTitle(), "KOVA - " + PathOf("named.sh"));
  EXPECT_TRUE(form->BashSyntaxAction->isChecked());
}

// A file the editor cannot hold is refused by its size before any of it is
// read: one that reaches the editor's position limit (a sparse file of
// gigabytes takes no disk), and one that would need more than half of the
// memory free. The window stays as it was.
TEST_F(FileCommandsTest, FileTheEditorCannotHoldIsRefusedBeforeReading) {
  struct TooLarge {
    const char* name;
    qint64 size;
    long long memory;
    const char* reason;
  };
  const TooLarge files[] = {
      {"gross.sh", 2200LL << 20, 1LL << 40,
       "Die Datei hat 2306867200 Bytes; der Editor kann höchstens 2147483647 Bytes aufnehmen."},
      {"grenze.sh", 1LL << 31, 1LL << 40,
       "Die Datei hat 2147483648 Bytes; der Editor kann höchstens 2147483647 Bytes aufnehmen."},
      {"knapp.sh", (1LL << 31) - 1, 1LL << 20,
       "Für ihre 2048 MB braucht der Editor etwa 16384 MB Arbeitsspeicher, mehr als die Hälfte "
       "der 2 MB, die noch frei sind."},
  };
  kova::PutFileBytes(PathOf("named.sh"), "kept");
  Open(PathOf("named.sh"), 2);
  for (const TooLarge& file : files) {
    SCOPED_TRACE(file.name);
    QFile sparse(PathOf(file.name));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(file.size));
    sparse.close();
    dialogs.messages.clear();
    {
      const AddressSpaceLimit limit(256 << 20);
      const kova::MemoryBudget budget(file.memory);
      Open(PathOf(file.name), 3);
    }
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].text, QString::fromUtf8("Datei %1 kann nicht geöffnet werden. %2")
                                    .arg(PathOf(file.name), QString::fromUtf8(file.reason)));
    EXPECT_EQ(form->fEditor->text(), "kept");
    EXPECT_FALSE(form->fEditor->isModified());
    EXPECT_EQ(form->fFileName, PathOf("named.sh"));
    EXPECT_EQ(form->windowTitle(), "KOVA - " + PathOf("named.sh"));
    EXPECT_TRUE(form->BashSyntaxAction->isChecked());
  }
}

// Where the memory runs out all the same while the editor takes the text,
// the user reads so in German, and the editor goes on as an empty unnamed
// text with its settings, whose edits can be undone.
TEST_F(FileCommandsTest, MemoryRunningOutWhileOpeningIsSaidInGerman) {
#if KOVA_HAS_ADDRESS_SANITIZER
  GTEST_SKIP() << "AddressSanitizer aborts where memory runs out";
#endif
  constexpr int kBytes = 64 << 20;
  kova::PutFileBytes(PathOf("lang.sh"), std::string(kBytes, 'x'));
  {
    const AddressSpaceLimit limit(kBytes + kBytes / 2);
    Open(PathOf("lang.sh"));
  }
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text, QString::fromUtf8("Nicht genügend Speicher verfügbar."));
  EXPECT_TRUE(form->fEditor->text().isEmpty());
  EXPECT_EQ(form->windowTitle(), "KOVA - *unbenannt*");
  EXPECT_EQ(form->fEditor->tabWidth(), 2);
  EXPECT_EQ(form->fEditor->SendScintilla(QsciScintillaBase::SCI_GETLEXER), QsciScintillaBase::SCLEX_BASH);
  Modify();
  EXPECT_EQ(form->fEditor->text(), "edit ");
  EXPECT_TRUE(form->fEditor->isUndoAvailable());
  kova::PutFileBytes(PathOf("klein.sh"), "echo a\n");
  dialogs.messageAnswers = {MessageButton::No};
  Open(PathOf("klein.sh"));
  EXPECT_EQ(form->fEditor->text(), "echo a\n");
}

// Opening runs the translation: a script whose diagram would not fit into
// the memory the run may have is refused with its size before the tree is
// built, while its text stays in the editor under its name and the window
// shows the main diagram alone.
TEST_F(FileCommandsTest, ScriptTooLargeForTheMemoryIsKeptButNotDrawn) {
  form->fEditor->setText("function demo\n}\necho a\n");
  form->fEditor->setModified(false);
  form->RunAction->trigger();
  ASSERT_EQ(form->fImages.size(), 2u);
  std::string script;
  for (int i = 0; i < 2000; ++i) script += "echo zeile " + std::to_string(i) + "\n";
  kova::PutFileBytes(PathOf("gross.sh"), script);
  {
    const kova::MemoryBudget budget(kova::TreeBytes({.elements = 1000}));
    Open(PathOf("gross.sh"));
  }
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_TRUE(Errors()[0].text.contains(QStringLiteral("aus 2000 Elementen"))) << Errors()[0].text.toStdString();
  EXPECT_TRUE(Errors()[0].text.contains(QStringLiteral("Arbeitsspeicher")));
  EXPECT_EQ(form->fEditor->text().toStdString(), script);
  EXPECT_EQ(form->fFileName, PathOf("gross.sh"));
  EXPECT_EQ(form->fImages.size(), 1u);
  EXPECT_TRUE(form->TabSet->isHidden());
  // With the memory there, the same text is drawn.
  form->RunAction->trigger();
  EXPECT_EQ(Errors().size(), 1u);
  EXPECT_GT(form->fImages[0]->Bitmap().height(), 2000 * 30);
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing) {
  Modify();
  dialogs.messageAnswers = {MessageButton::No};
  form->OpenAction->trigger();
  EXPECT_EQ(form->fEditor->text(), "edit ");
  form->SaveAsAction->trigger();
  EXPECT_TRUE(form->fEditor->isModified());
  EXPECT_EQ(form->windowTitle(), "KOVA - *unbenannt*");
}

}  // namespace
