// The seam's own rules: German captions and buttons, answers outside the
// offered buttons, the overwrite question of save dialogs, who owns the
// dialogs, and Qt's file dialog with the program's filters.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/platform/dialog_stub.h"
#include "app/platform/file_name_dialog.h"

using kova::FileChoice;
using kova::FileDialogMode;
using kova::FileDialogRequest;
using kova::MessageButton;
using kova::MessageKind;

TEST(DialogSeam, CaptionsAndButtonsAreGerman) {
  EXPECT_EQ(kova::MessageCaption(MessageKind::Warning), "Warnung");
  EXPECT_EQ(kova::MessageCaption(MessageKind::Error), "Fehler");
  EXPECT_EQ(kova::MessageCaption(MessageKind::Information), "Informationen");
  EXPECT_EQ(kova::MessageCaption(MessageKind::Confirmation), "Bestätigen");
  EXPECT_EQ(kova::MessageButtonText(MessageButton::Yes), "&Ja");
  EXPECT_EQ(kova::MessageButtonText(MessageButton::No), "&Nein");
  EXPECT_EQ(kova::MessageButtonText(MessageButton::Ok), "OK");
  EXPECT_EQ(kova::MessageButtonText(MessageButton::Cancel), "Abbrechen");
}

TEST(DialogSeam, MessageReturnsTheChosenButtonAndClosingPicksTheSafeOne) {
  kova::DialogStub dialogs;
  dialogs.messageAnswers = {MessageButton::No};
  const auto yesNoCancel = MessageButton::Yes | MessageButton::No | MessageButton::Cancel;
  EXPECT_EQ(kova::ShowMessage(MessageKind::Warning, "Speichern?", yesNoCancel), MessageButton::No);
  EXPECT_EQ(kova::ShowMessage(MessageKind::Warning, "Speichern?", yesNoCancel), MessageButton::Cancel);
  EXPECT_EQ(kova::ShowMessage(MessageKind::Confirmation, "Ersetzen?", MessageButton::Yes | MessageButton::No),
            MessageButton::No);
  // An answer the box did not offer cannot come back.
  dialogs.messageAnswers = {MessageButton::Yes};
  kova::ShowError("kaputt");
  ASSERT_EQ(dialogs.messages.size(), 4u);
  EXPECT_EQ(dialogs.messages[3].kind, MessageKind::Error);
  EXPECT_EQ(dialogs.messages[3].text, "kaputt");
  EXPECT_EQ(dialogs.messages[3].buttons, static_cast<int>(MessageButton::Ok));
}

class SaveDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    existing = folder.filePath("plan.bmp");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    request.mode = FileDialogMode::Save;
    request.overwritePrompt = true;
  }

  QTemporaryDir folder;
  QString existing;
  FileDialogRequest request;
  kova::DialogStub dialogs;
};

TEST_F(SaveDialogTest, NewNameIsTakenWithoutQuestion) {
  dialogs.fileAnswers = {FileChoice{folder.filePath("plan"), 1}};
  const auto choice = kova::AskFileName(request);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->fileName, folder.filePath("plan"));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SaveDialogTest, ExistingNameAsksAndYesTakesIt) {
  dialogs.fileAnswers = {FileChoice{existing, 2}};
  dialogs.messageAnswers = {MessageButton::Yes};
  const auto choice = kova::AskFileName(request);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->filterIndex, 2);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Confirmation);
  EXPECT_TRUE(dialogs.messages[0].text.contains(existing));
}

TEST_F(SaveDialogTest, ExistingNameRefusedStaysInTheSameDialog) {
  dialogs.fileAnswers = {FileChoice{existing, 1}, FileChoice{folder.filePath("neu.bmp"), 3}};
  dialogs.messageAnswers = {MessageButton::No};
  const auto choice = kova::AskFileName(request);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->fileName, folder.filePath("neu.bmp"));
  EXPECT_EQ(choice->filterIndex, 3);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);
}

TEST_F(SaveDialogTest, WithoutOverwritePromptNothingIsAsked) {
  request.overwritePrompt = false;
  dialogs.fileAnswers = {FileChoice{existing, 1}};
  EXPECT_TRUE(kova::AskFileName(request));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SaveDialogTest, CancelGivesNothing) {
  EXPECT_FALSE(kova::AskFileName(request));
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);
}

// A modal dialog as it was seen while it ran.
struct SeenDialog {
  const QWidget* dialog = nullptr;
  const QWidget* parent = nullptr;
};

// Runs `show`, and `user` with the modal dialog it opens once that is up.
template <typename Show, typename User>
SeenDialog WhileModal(Show show, User user) {
  SeenDialog seen;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    seen = {dialog, dialog->parentWidget()};
    user(static_cast<QDialog*>(dialog));
  });
  show();
  return seen;
}

TEST(DialogOwner, DialogsBelongToTheMainWindowOrTheModalDialogAbove) {
  QWidget window;
  kova::SetDialogOwner(&window);
  const auto close = [](QDialog* dialog) { dialog->reject(); };
  const SeenDialog errorBox = WhileModal([] { kova::ShowError("kaputt"); }, close);
  SeenDialog question;
  const SeenDialog fileDialog = WhileModal([] { kova::AskFileName({}); }, [&](QDialog* dialog) {
    question = WhileModal([] { kova::ShowInformation("über dem Dialog"); }, close);
    dialog->reject();
  });
  kova::SetDialogOwner(nullptr);
  EXPECT_NE(errorBox.dialog, nullptr);
  EXPECT_EQ(errorBox.parent, &window);
  EXPECT_NE(fileDialog.dialog, nullptr);
  EXPECT_EQ(fileDialog.parent, &window);
  EXPECT_NE(question.dialog, nullptr);
  EXPECT_EQ(question.parent, fileDialog.dialog);
}

class FileNameDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"a.sh", "b.txt", "c.doc", "Makefile"}) {
      QFile file(folder.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    request.directory = folder.path();
  }

  // The names the dialog lists once its folder has been read, compared with
  // `expected` (the folder is read in the background).
  static QStringList Listed(const QFileDialog& dialog, const QStringList& expected) {
    const auto* view = dialog.findChild<QListView*>("listView");
    QStringList names;
    // A listing that never matches is reported by the comparison below.
    static_cast<void>(QTest::qWaitFor([&] {
      names.clear();
      for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
      }
      names.sort();
      return names == expected;
    }));
    return names;
  }

  QTemporaryDir folder;
  FileDialogRequest request;
};

TEST_F(FileNameDialogTest, ShowsTheFilterTextsAndListsWhatTheirPatternsMatch) {
  request.filters = {{"Alle geeigneten Dateien(*.sh;*.txt)", "*.sh;*.txt"},
                     {"Bash-Skript (*.sh)", "*.sh"},
                     {"Textdatei (*.txt)", "*.txt"},
                     {"Alle Dateien (*.*)", "*.*"}};
  kova::FileNameDialog dialog(nullptr, request, {});
  dialog.show();
  const auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
  ASSERT_EQ(types->count(), 4);
  for (int entry = 0; entry < 4; ++entry) {
    EXPECT_EQ(types->itemText(entry), request.filters[entry].description);
  }
  EXPECT_EQ(types->currentIndex(), 0);
  EXPECT_EQ(Listed(dialog, {"a.sh", "b.txt"}), QStringList({"a.sh", "b.txt"}));
  EXPECT_EQ(dialog.Choice().filterIndex, 1);
  const QStringList all = {"Makefile", "a.sh", "b.txt", "c.doc"};
  dialog.selectNameFilter(dialog.nameFilters()[3]);
  EXPECT_EQ(Listed(dialog, all), all);
  EXPECT_EQ(types->currentText(), "Alle Dateien (*.*)");
  EXPECT_EQ(dialog.Choice().filterIndex, 4);
}

TEST_F(FileNameDialogTest, RefusedNameKeepsFolderNameAndFilterAsTheUserLeftThem) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("bilder"));
  const QString existing = folder.filePath("bilder/plan.png");
  QFile(existing).open(QIODevice::WriteOnly);
  request.mode = FileDialogMode::Save;
  request.filters = {{"Bitmap (*.bmp)", "*.bmp"}, {"GIF (*.gif)", "*.gif"}, {"PNG (*.png)", "*.png"}};
  QStringList asked;
  bool refuse = true;
  kova::FileNameDialog dialog(nullptr, request, [&](const QString& name) {
    asked << name;
    return !std::exchange(refuse, false);
  });
  dialog.show();
  dialog.setDirectory(folder.filePath("bilder"));
  dialog.selectNameFilter(dialog.nameFilters()[2]);
  auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
  name->setText("plan.png");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.directory().absolutePath(), folder.filePath("bilder"));
  EXPECT_EQ(name->text(), "plan.png");
  EXPECT_EQ(dialog.Choice().filterIndex, 3);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(asked, QStringList({existing, existing}));
  EXPECT_EQ(dialog.Choice().fileName, existing);
  EXPECT_EQ(dialog.Choice().filterIndex, 3);
}
