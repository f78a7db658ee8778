// The seam's own rules: German captions and buttons, answers outside the
// offered buttons, and the overwrite question of save dialogs.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/platform/dialog_stub.h"

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

TEST_F(SaveDialogTest, ExistingNameRefusedShowsTheDialogAgain) {
  dialogs.fileAnswers = {FileChoice{existing, 1}, FileChoice{folder.filePath("neu.bmp"), 1}};
  dialogs.messageAnswers = {MessageButton::No};
  const auto choice = kova::AskFileName(request);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->fileName, folder.filePath("neu.bmp"));
  EXPECT_EQ(dialogs.fileRequests.size(), 2u);
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
