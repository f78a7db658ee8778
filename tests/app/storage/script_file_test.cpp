// Script files on disk and in the editor: every byte kept, the breaks chosen
// again on saving, and a failed write never costs the previous file.
#include "app/editor/editor_bytes.h"
#include "app/storage/file_bytes.h"
#include "app/storage/script_file.h"

#include <Qsci/qsciscintilla.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kova {
namespace {

std::string AllByteValues() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes;
}

struct BreakExample {
  std::string file;
  LineBreakFormat detected;
  std::string savedWithDetected;
};

TEST(LineBreakTest, ExamplesKeepTheirBytes) {
  const BreakExample examples[] = {
      {"a\r\nb\r\n", LineBreakFormat::Windows, "a\r\nb\r\n"},
      {"x\ry\nz", LineBreakFormat::Mac, "x\ry\rz"},
      {"a\n\rb", LineBreakFormat::Unix, "a\n\nb"},
      {"a\r\nb", LineBreakFormat::Windows, "a\r\nb"},
      {"", LineBreakFormat::NoBreak, ""},
      {"no break", LineBreakFormat::NoBreak, "no break"},
      {"x\r", LineBreakFormat::Mac, "x\r"},
      {"\n", LineBreakFormat::Unix, "\n"},
  };
  for (const BreakExample& example : examples) {
    EXPECT_EQ(DetectLineBreakFormat(example.file), example.detected) << example.file;
    EXPECT_EQ(ReplaceLineBreaks(example.file, LineBreakBytes(example.detected)),
              example.savedWithDetected)
        << example.file;
  }
}

TEST(LineBreakTest, ChosenBreakReplacesEveryMixedBreak) {
  EXPECT_EQ(ReplaceLineBreaks("a\r\nb\rc\nd\n\re", "\n"), "a\nb\nc\nd\n\ne");
  EXPECT_EQ(ReplaceLineBreaks("a\nb\n", "\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(LineBreakBytes(LineBreakFormat::NoBreak), "\r\n");
}

TEST(LineBreakTest, BinaryBytesBetweenBreaksStayAsTheyAre) {
  std::string binary = AllByteValues();
  binary.erase(std::remove_if(binary.begin(), binary.end(),
                              [](char c) { return c == '\r' || c == '\n'; }),
               binary.end());
  const std::string file = binary + "\r\n" + binary + std::string(1, '\0') + "\r\n";
  EXPECT_EQ(ReplaceLineBreaks(file, "\r\n"), file);
}

class ScriptFileTest : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  static std::string MessageOfWrite(const QString& path, const std::string& bytes = "text") {
    try {
      WriteScriptFile(path, bytes);
    } catch (const ScriptFileError& error) {
      return error.what();
    }
    return "no error";
  }

  static std::string MessageOfRead(const QString& path) {
    try {
      ReadScriptFile(path);
    } catch (const ScriptFileError& error) {
      return error.what();
    }
    return "no error";
  }

  QStringList FolderEntries() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  QTemporaryDir dir_;
};

TEST_F(ScriptFileTest, EveryByteValueSurvivesWritingAndReading) {
  const std::string bytes = AllByteValues() + AllByteValues();
  WriteScriptFile(PathOf("binary.sh"), bytes);
  EXPECT_EQ(ReadScriptFile(PathOf("binary.sh")), bytes);
}

TEST_F(ScriptFileTest, ReadFailuresSayWhy) {
  EXPECT_EQ(MessageOfRead(PathOf("none.sh")),
            QStringLiteral("Datei %1 kann nicht geöffnet werden. Das System kann die angegebene "
                           "Datei nicht finden.")
                .arg(PathOf("none.sh"))
                .toStdString());
  EXPECT_EQ(MessageOfRead(dir_.path()),
            QStringLiteral("Datei %1 kann nicht geöffnet werden. Zugriff verweigert.")
                .arg(dir_.path())
                .toStdString());
}

TEST_F(ScriptFileTest, WriteFailuresCarryTheInOutMessages) {
  EXPECT_EQ(MessageOfWrite(PathOf("missing/a.sh")), "Datei nicht gefunden");
  EXPECT_EQ(MessageOfWrite(dir_.path()), "Dateizugriff verweigert");
  PutFileBytes(PathOf("plain"), "x");
  EXPECT_EQ(MessageOfWrite(PathOf("plain/a.sh")), "Ungültiger Dateiname");
}

TEST_F(ScriptFileTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
  PutFileBytes(PathOf("keep.sh"), "old content\n");
  std::string message;
  {
    const FileSizeLimit limit(4096);
    message = MessageOfWrite(PathOf("keep.sh"), std::string(100000, 'n'));
  }
  EXPECT_EQ(message, "E/A-Fehler " + std::to_string(EFBIG));
  EXPECT_EQ(FileBytes(PathOf("keep.sh")), "old content\n");
  EXPECT_EQ(FolderEntries(), QStringList{"keep.sh"});
}

TEST_F(ScriptFileTest, RewriteKeepsPermissions) {
  PutFileBytes(PathOf("tool.sh"), "old");
  ASSERT_EQ(chmod(QFile::encodeName(PathOf("tool.sh")).constData(), 0750), 0);
  WriteScriptFile(PathOf("tool.sh"), "new");
  struct stat info {};
  ASSERT_EQ(stat(QFile::encodeName(PathOf("tool.sh")).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0750u);
  EXPECT_EQ(ReadScriptFile(PathOf("tool.sh")), "new");
}

TEST_F(ScriptFileTest, NewFileGetsTheUsualPermissions) {
  const mode_t mask = umask(022);
  WriteScriptFile(PathOf("new.sh"), "x");
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat(QFile::encodeName(PathOf("new.sh")).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST_F(ScriptFileTest, SymbolicLinkStaysALinkToTheUpdatedFile) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("real"));
  PutFileBytes(PathOf("real/script.sh"), "old");
  ASSERT_EQ(symlink("real/script.sh", QFile::encodeName(PathOf("link.sh")).constData()), 0);
  WriteScriptFile(PathOf("link.sh"), "new");
  EXPECT_TRUE(QFileInfo(PathOf("link.sh")).isSymLink());
  EXPECT_EQ(ReadScriptFile(PathOf("real/script.sh")), "new");
}

TEST_F(ScriptFileTest, DanglingLinkCreatesItsTarget) {
  ASSERT_EQ(symlink("target.sh", QFile::encodeName(PathOf("link.sh")).constData()), 0);
  WriteScriptFile(PathOf("link.sh"), "made");
  EXPECT_TRUE(QFileInfo(PathOf("link.sh")).isSymLink());
  EXPECT_EQ(ReadScriptFile(PathOf("target.sh")), "made");
}

TEST_F(ScriptFileTest, LinkLoopIsAnError) {
  ASSERT_EQ(symlink("b", QFile::encodeName(PathOf("a")).constData()), 0);
  ASSERT_EQ(symlink("a", QFile::encodeName(PathOf("b")).constData()), 0);
  EXPECT_EQ(MessageOfWrite(PathOf("a")), "E/A-Fehler " + std::to_string(ELOOP));
}

TEST(EditorBytesTest, NulAndHighBytesPassThroughTheEditor) {
  QsciScintilla editor;
  const std::string bytes = "a\0b\r\n" + AllByteValues() + std::string(1, '\0');
  LoadEditorBytes(editor, std::string_view(bytes.data(), bytes.size()));
  EXPECT_EQ(EditorBytes(editor), bytes);
  EXPECT_EQ(editor.text(0).at(1), QChar(0));
}

TEST(EditorBytesTest, EditorLinesFollowTheScriptRules) {
  QsciScintilla editor;
  LoadEditorBytes(editor, "x\ry\nz");
  EXPECT_EQ(editor.lines(), 3);
  LoadEditorBytes(editor, "a\n\rb");
  EXPECT_EQ(editor.lines(), 3);
  LoadEditorBytes(editor, "a\r\nb\r\n");
  EXPECT_EQ(editor.lines(), 3);
  editor.setUtf8(false);
  LoadEditorBytes(editor, "\xe4\xf6\xfc");
  EXPECT_EQ(editor.text(), QString::fromLatin1("\xe4\xf6\xfc"));
}

TEST(EditorBytesTest, LoadingKeepsTheWrapMode) {
  QsciScintilla editor;
  editor.setWrapMode(QsciScintilla::WrapWord);
  LoadEditorBytes(editor, std::string(100000, 'w'));
  EXPECT_EQ(editor.wrapMode(), QsciScintilla::WrapWord);
  EXPECT_EQ(editor.length(), 100000);
}

TEST(EditorBytesTest, LoadedTextIsAFreshDocument) {
  QsciScintilla editor;
  editor.setText("typed");
  ASSERT_TRUE(editor.isModified());
  LoadEditorBytes(editor, "loaded");
  EXPECT_FALSE(editor.isModified());
  EXPECT_FALSE(editor.isUndoAvailable());
  EXPECT_EQ(editor.text(), "loaded");
}

}  // namespace
}  // namespace kova
