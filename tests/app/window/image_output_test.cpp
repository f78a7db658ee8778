// Copying and saving the picture of the image pane.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

#include "app/window/diagram_image.h"
#include "app/window/main_form_fixture.h"

using kova::FileChoice;

class ImageOutputTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    kova::Canvas& canvas = form->fImages[0]->BitmapCanvas();
    canvas.SetSize(30, 20);
    canvas.FillRect(0, 0, 30, 20);
    form->fImages[0]->BitmapChanged();
  }

  // Saves through the command with the dialog answering `name` and `filter`.
  void Save(const QString& name, int filter) {
    dialogs.fileAnswers.push_back(FileChoice{folder.filePath(name), filter});
    form->SaveImageAction->trigger();
  }

  QByteArray FormatOf(const QString& name) { return QImageReader(folder.filePath(name)).format(); }
};

TEST_F(ImageOutputTest, SaveDialogOffersTheThreeFormatsBmpFirstEveryTime) {
  Save("erst", 3);
  form->SaveImageAction->trigger();  // cancelled
  ASSERT_EQ(dialogs.fileRequests.size(), 2u);
  for (const kova::FileDialogRequest& request : dialogs.fileRequests) {
    EXPECT_EQ(request.mode, kova::FileDialogMode::Save);
    EXPECT_EQ(request.title, "als Grafik speichern...");
    ASSERT_EQ(request.filters.size(), 3u);
    EXPECT_EQ(request.filters[0].description, "Bitmap (*.bmp)");
    EXPECT_EQ(request.filters[0].pattern, "*.bmp");
    EXPECT_EQ(request.filters[1].description, "GIF (*.gif)");
    EXPECT_EQ(request.filters[1].pattern, "*.gif");
    EXPECT_EQ(request.filters[2].description, "PNG (*.png)");
    EXPECT_EQ(request.filters[2].pattern, "*.png");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_TRUE(request.defaultExtension.isEmpty());
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(request.fileName.isEmpty());
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ImageOutputTest, TheFilterDecidesFormatAndExtension) {
  Save("plan", 1);
  Save("plan.png", 1);
  Save("Plan.BMP", 1);
  Save("bild", 3);
  Save("bild.gif", 2);
  EXPECT_EQ(FormatOf("plan.bmp"), "bmp");
  EXPECT_EQ(FormatOf("plan.png.bmp"), "bmp");
  EXPECT_TRUE(QFileInfo::exists(folder.filePath("Plan.BMP.bmp")));
  EXPECT_EQ(FormatOf("bild.png"), "png");
  EXPECT_EQ(FormatOf("bild.gif"), "gif");
  EXPECT_FALSE(QFileInfo::exists(folder.filePath("bild.gif.gif")));
  EXPECT_EQ(QImage(folder.filePath("bild.png")).size(), QSize(30, 20));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ImageOutputTest, OverwriteQuestionConcernsTheNameAsEntered) {
  Save("plan.bmp", 1);
  Save("plan", 1);  // becomes plan.bmp: replaced without a question
  EXPECT_TRUE(dialogs.messages.empty());
  dialogs.messageAnswers = {kova::MessageButton::No};
  Save("plan.bmp", 1);  // asks; No stays in the dialog, which is cancelled
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, kova::MessageKind::Confirmation);
  // After No the user goes on in the same dialog, with the filter chosen there.
  dialogs.messageAnswers = {kova::MessageButton::No};
  dialogs.fileAnswers.push_back(FileChoice{folder.filePath("plan.bmp"), 3});
  Save("skizze", 3);
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.fileRequests.size(), 4u);  // one dialog per command
  EXPECT_EQ(FormatOf("skizze.png"), "png");
  EXPECT_EQ(FormatOf("plan.bmp"), "bmp");
}

TEST_F(ImageOutputTest, MissingFolderShowsAnErrorAndWritesNothing) {
  Save("fehlt/plan", 1);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, kova::MessageKind::Error);
  EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
  EXPECT_EQ(form->fImages[0]->Bitmap().size(), QSize(30, 20));
}

TEST_F(ImageOutputTest, CopyPutsThePictureOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  form->CopyImageAction->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(30, 20));
}
