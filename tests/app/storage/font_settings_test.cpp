// The font keys of the settings file.
#include "app/storage/font_settings.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kova {
namespace {

class FontSettingsTest : public ::testing::Test {
 protected:
  QString IniPath() const { return dir_.filePath("KOVA.ini"); }
  QTemporaryDir dir_;
};

TEST_F(FontSettingsTest, BoldItalicFontSurvivesARestart) {
  DiagramFont font;
  font.name = QStringLiteral("DejaVu Serif");
  font.size = 14;
  font.color = QColor(0x12, 0x34, 0x56);
  font.orientation = 900;
  font.bold = true;
  font.italic = true;
  ProfileFile ini(IniPath());
  SaveFontSettings(ini, "Settings", "NSDFont", font);
  ini.UpdateFile();

  const ProfileFile reread(IniPath());
  EXPECT_EQ(reread.ReadString("Settings", "NSDFont.Font.Style.Bold", ""), "1");
  EXPECT_EQ(reread.ReadString("Settings", "NSDFont.Font.Style.Italic", ""), "1");
  EXPECT_EQ(reread.ReadString("Settings", "NSDFont.Font.Style.Underline", ""), "0");
  EXPECT_EQ(reread.ReadString("Settings", "NSDFont.Font.Style.StrikeOut", ""), "0");
  EXPECT_EQ(reread.ReadInteger("Settings", "NSDFont.Font.Color", 0), 0x563412);
  DiagramFont loaded;
  LoadFontSettings(reread, "Settings", "NSDFont", loaded);
  EXPECT_EQ(loaded, font);
}

TEST_F(FontSettingsTest, AbsentKeysKeepWhatTheFontHad) {
  ProfileFile ini(IniPath());
  ini.WriteBool("Settings", "EditFont.Font.Style.Italic", true);
  ini.WriteString("Settings", "EditFont.Font.Size", "big");
  DiagramFont font;
  font.bold = true;
  font.size = 11;
  LoadFontSettings(ini, "Settings", "EditFont", font);
  EXPECT_TRUE(font.bold);
  EXPECT_TRUE(font.italic);
  EXPECT_EQ(font.size, 11);
  EXPECT_EQ(font.name, DiagramFont().name);
}

TEST_F(FontSettingsTest, ColoursUseTheStoredByteOrder) {
  EXPECT_EQ(FontColor(Qt::red).Stored(), 0x0000FF);
  EXPECT_EQ(FontColor::FromStored(0xFF0000).Shown(), QColor(Qt::blue));
  // System colours show as the palette's matching colour, whichever top bits
  // carry the index; an index without a counterpart shows as window text.
  const QPalette palette = QGuiApplication::palette();
  EXPECT_EQ(FontColor::FromStored(-2147483640).Shown(), palette.color(QPalette::WindowText));
  EXPECT_EQ(FontColor::FromStored(-16777211).Shown(), palette.color(QPalette::Base));
  EXPECT_EQ(FontColor::FromStored(-16777203).Shown(), palette.color(QPalette::Highlight));
  EXPECT_EQ(FontColor::FromStored(-16777192).Shown(), palette.color(QPalette::ToolTipBase));
  EXPECT_EQ(FontColor::FromStored(-16777001).Shown(), palette.color(QPalette::WindowText));
}

}  // namespace
}  // namespace kova
