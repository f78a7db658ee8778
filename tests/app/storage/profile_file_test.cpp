// The settings file layer: lookup rules, number formats, and that the file
// keeps what this program does not use.
#include "app/storage/profile_file.h"

#include "app/storage/file_bytes.h"

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

class ProfileFileTest : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  QString WriteIni(const std::string& content) const {
    PutFileBytes(PathOf("KOVA.ini"), content);
    return PathOf("KOVA.ini");
  }

  QTemporaryDir dir_;
};

TEST(ProfileIntegerTest, ReadsDecimalAndBothHexForms) {
  EXPECT_EQ(ParseProfileInteger("42"), 42);
  EXPECT_EQ(ParseProfileInteger("-7"), -7);
  EXPECT_EQ(ParseProfileInteger("+5"), 5);
  EXPECT_EQ(ParseProfileInteger("$1F"), 31);
  EXPECT_EQ(ParseProfileInteger("0x1f"), 31);
  EXPECT_EQ(ParseProfileInteger("0X1F"), 31);
  EXPECT_EQ(ParseProfileInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseProfileInteger("2147483647"), INT32_MAX);
}

TEST(ProfileIntegerTest, SystemColourHexWrapsToTheNegativeNumber) {
  EXPECT_EQ(ParseProfileInteger("$80000008"), -2147483640);
  EXPECT_EQ(ParseProfileInteger("$FFFFFFFF"), -1);
}

TEST(ProfileIntegerTest, RejectsWhatIsNoNumber) {
  for (const char* text : {"", "abc", "ja", "12abc", "$", "0x", "$G", "2147483648",
                           "-2147483649", "$100000000", "1 2", "-"}) {
    EXPECT_FALSE(ParseProfileInteger(text).has_value()) << text;
  }
}

TEST_F(ProfileFileTest, MissingFileGivesDefaults) {
  const ProfileFile ini(PathOf("KOVA.ini"));
  EXPECT_EQ(ini.ReadString("Settings", "Edit", "unten"), "unten");
  EXPECT_EQ(ini.ReadInteger("Bounds", "Width", 600), 600);
  EXPECT_TRUE(ini.ReadBool("Settings", "BashSyntax", true));
}

TEST_F(ProfileFileTest, SectionsAndKeysIgnoreCaseAndBlanks) {
  const ProfileFile ini(WriteIni("[bounds]\r\n  WIDTH = 800 \r\n[Settings]\nEdit=oben\n"));
  EXPECT_EQ(ini.ReadInteger("Bounds", "Width", 600), 800);
  EXPECT_EQ(ini.ReadString("SETTINGS", "edit", "unten"), "oben");
  EXPECT_EQ(ini.ReadString("Bounds", "Edit", "none"), "none");
}

TEST_F(ProfileFileTest, BooleansAreNumbers) {
  const ProfileFile ini(WriteIni("[S]\nTwo=2\nWord=ja\nZero=0\nEmpty=\nHex=$10\n"));
  EXPECT_TRUE(ini.ReadBool("S", "Two", false));
  EXPECT_TRUE(ini.ReadBool("S", "Word", true));
  EXPECT_FALSE(ini.ReadBool("S", "Word", false));
  EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "Empty", true));
  EXPECT_TRUE(ini.ReadBool("S", "Hex", false));
  EXPECT_EQ(ini.ReadInteger("S", "Empty", 9), 9);
}

TEST_F(ProfileFileTest, FirstOfRepeatedSectionsAndKeysCounts) {
  const ProfileFile ini(WriteIni("[S]\nK=1\nK=2\n[S]\nK=3\nL=4\n"));
  EXPECT_EQ(ini.ReadInteger("S", "K", 0), 1);
  EXPECT_EQ(ini.ReadInteger("S", "L", 0), 0);
}

TEST_F(ProfileFileTest, CommentsAreNoKeys) {
  const ProfileFile ini(WriteIni("[S]\n;K=1\nK=2\n"));
  EXPECT_EQ(ini.ReadInteger("S", "K", 0), 2);
}

TEST_F(ProfileFileTest, LongValuesComeBackWhole) {
  const std::string history = std::string(100000, 'x') + "#13#10" + std::string(5000, 'y');
  ProfileFile ini(PathOf("KOVA.ini"));
  ini.WriteString("Search", "gsSearchTextHistory", history);
  ini.UpdateFile();
  EXPECT_EQ(ProfileFile(PathOf("KOVA.ini")).ReadString("Search", "gsSearchTextHistory", ""),
            history);
}

TEST_F(ProfileFileTest, BlanksAndQuotesOfAValueSurviveTheRoundTrip) {
  ProfileFile ini(PathOf("KOVA.ini"));
  const std::string values[] = {" lead", "trail ", "\"quoted\"", "'x'", "\"", "a\"b", "",
                                "=", "a=b"};
  for (size_t i = 0; i < std::size(values); ++i) {
    ini.WriteString("S", "K" + std::to_string(i), values[i]);
  }
  ini.UpdateFile();
  const ProfileFile reread(PathOf("KOVA.ini"));
  for (size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(reread.ReadString("S", "K" + std::to_string(i), "?"), values[i]);
  }
}

TEST_F(ProfileFileTest, WriteCreatesTheFileWithSectionsInWritingOrder) {
  ProfileFile ini(PathOf("KOVA.ini"));
  ini.WriteBool("Bounds", "Maximized", false);
  ini.WriteInteger("Bounds", "Top", -3);
  ini.WriteString("Settings", "Edit", "unten");
  ini.WriteInteger("Bounds", "Left", 10);
  ini.UpdateFile();
  EXPECT_EQ(FileBytes(PathOf("KOVA.ini")),
            "[Bounds]\nMaximized=0\nTop=-3\nLeft=10\n[Settings]\nEdit=unten\n");
}

TEST_F(ProfileFileTest, KeepsUnknownLinesAndReplacesValuesInPlace) {
  const QString path = WriteIni(
      "; written by hand\r\n[Other]\r\nKeep=this one\r\n\r\n[Bounds]\r\nwidth=800\r\n"
      "Unknown=1\r\n\r\n[Search]\r\nx=y\r\n");
  ProfileFile ini(path);
  ini.WriteInteger("Bounds", "Width", 1024);
  ini.WriteInteger("Bounds", "Height", 700);
  ini.UpdateFile();
  EXPECT_EQ(FileBytes(path),
            "; written by hand\n[Other]\nKeep=this one\n\n[Bounds]\nWidth=1024\nUnknown=1\n"
            "Height=700\n\n[Search]\nx=y\n");
}

TEST_F(ProfileFileTest, NothingWrittenLeavesTheFileAlone) {
  ProfileFile ini(PathOf("KOVA.ini"));
  ini.UpdateFile();
  EXPECT_FALSE(QFile::exists(PathOf("KOVA.ini")));
}

TEST_F(ProfileFileTest, RefusedWriteNamesTheFullPath) {
  const QString path = PathOf("missing/KOVA.ini");
  ProfileFile ini(path);
  ini.WriteInteger("Bounds", "Width", 1);
  try {
    ini.UpdateFile();
    FAIL() << "a write into a missing folder must fail";
  } catch (const ProfileWriteError& error) {
    EXPECT_EQ(QString::fromUtf8(error.what()),
              QStringLiteral("In %1 kann nicht geschrieben werden: Ungültiger Dateiname.").arg(path));
  }
}

TEST_F(ProfileFileTest, RelativePathIsReportedInFull) {
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir_.path());
  ProfileFile ini(QStringLiteral("missing/KOVA.ini"));
  ini.WriteInteger("Bounds", "Width", 1);
  EXPECT_THROW(
      {
        try {
          ini.UpdateFile();
        } catch (const ProfileWriteError& error) {
          EXPECT_TRUE(QString::fromUtf8(error.what()).contains(PathOf("missing/KOVA.ini")));
          throw;
        }
      },
      ProfileWriteError);
  QDir::setCurrent(previous);
}

TEST_F(ProfileFileTest, FileThatCannotBeReadIsReadAsEmptyAndLeftAlone) {
  // A blocking open of a pipe would hang, an endless device would fill the
  // memory, and a file of megabytes is no settings file.
  const std::string large = "[S]\nK=2\n" + std::string(size_t{5} << 20, ';') + "\n";
  PutFileBytes(PathOf("large.ini"), large);
  ASSERT_EQ(mkfifo(QFile::encodeName(PathOf("pipe.ini")).constData(), 0666), 0);
  ASSERT_EQ(symlink("/dev/zero", QFile::encodeName(PathOf("zero.ini")).constData()), 0);
  const std::pair<const char*, const char*> refused[] = {
      {"large.ini", "Die Datei ist größer als 4194304 Bytes."},
      {"pipe.ini", "Keine gewöhnliche Datei (Pipe, Gerät oder Socket)."},
      {"zero.ini", "Keine gewöhnliche Datei (Pipe, Gerät oder Socket)."},
  };
  for (const auto& [name, reason] : refused) {
    ProfileFile ini(PathOf(name));
    EXPECT_EQ(ini.ReadInteger("S", "K", 7), 7) << name;
    try {
      ini.CheckLoaded();
      ADD_FAILURE() << name << " was read";
    } catch (const ProfileReadError& error) {
      EXPECT_EQ(QString::fromUtf8(error.what()),
                QStringLiteral("Datei %1 kann nicht geöffnet werden. %2 Es gelten die Voreinstellungen, "
                               "und die Datei wird beim Beenden nicht überschrieben.")
                    .arg(PathOf(name), QString::fromUtf8(reason)));
    }
    ini.WriteInteger("S", "K", 1);
    ini.UpdateFile();
  }
  EXPECT_EQ(FileBytes(PathOf("large.ini")), large);
  EXPECT_TRUE(QFileInfo(PathOf("zero.ini")).isSymLink());

  // Nor is such a file ever written, so the next start can read it again; a
  // file at the limit is read and written, but does not grow past it.
  const std::string head = "[S]\nK=2\n";
  const std::string atLimit = head + std::string((size_t{4} << 20) - head.size() - 1, ';') + "\n";
  PutFileBytes(PathOf("KOVA.ini"), atLimit);
  ProfileFile ini(PathOf("KOVA.ini"));
  ini.CheckLoaded();
  ini.WriteInteger("S", "K", 3);
  ini.UpdateFile();
  ini.WriteInteger("S", "K", 30);
  try {
    ini.UpdateFile();
    ADD_FAILURE() << "the file grew past the limit";
  } catch (const ProfileWriteError& error) {
    EXPECT_EQ(QString::fromUtf8(error.what()),
              QStringLiteral("In %1 kann nicht geschrieben werden: Die Datei würde größer als 4 MiB, "
                             "und eine so große Datei wird beim Start nicht gelesen.")
                  .arg(PathOf("KOVA.ini")));
  }
  EXPECT_EQ(FileBytes(PathOf("KOVA.ini")), "[S]\nK=3" + atLimit.substr(7));
}

}  // namespace
}  // namespace kova
