// Picture files on disk: a failed write names the file and why, and leaves
// what was there.
#include "app/storage/image_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace kova {
namespace {

class ImageFileTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return folder.filePath(name); }

  static QImage SamplePicture() {
    QImage image(23, 11, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
  }

  std::string MessageOfWrite(const QString& name, ImageFormat format) const {
    try {
      WriteImageFile(SamplePicture(), Path(name), format);
    } catch (const ImageFileError& error) {
      return error.what();
    }
    return "no error";
  }

  QTemporaryDir folder;
};

TEST_F(ImageFileTest, MissingFolderIsReportedAndNothingWritten) {
  EXPECT_EQ(MessageOfWrite("fehlt/plan.png", ImageFormat::Png),
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: Ungültiger Dateiname")
                .arg(Path("fehlt/plan.png"))
                .toStdString());
  EXPECT_FALSE(QFile::exists(Path("fehlt/plan.png")));
}

TEST_F(ImageFileTest, FolderInTheWayIsReportedAndKept) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("plan.bmp"));
  EXPECT_EQ(MessageOfWrite("plan.bmp", ImageFormat::Bmp),
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: Das Ziel ist ein Ordner, "
                           "keine Datei")
                .arg(Path("plan.bmp"))
                .toStdString());
  EXPECT_TRUE(QFileInfo(Path("plan.bmp")).isDir());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).size(), 1);
}

}  // namespace
}  // namespace kova
