#include "app/storage/font_settings.h"

#include <string>

namespace kova {
namespace {

std::string Key(std::string_view prefix, std::string_view suffix) {
  return std::string(prefix) + ".Font." + std::string(suffix);
}

}  // namespace

void LoadFontSettings(const ProfileFile& ini, std::string_view section, std::string_view prefix,
                      DiagramFont& font) {
  font.name = QString::fromUtf8(
      ini.ReadString(section, Key(prefix, "Name"), font.name.toUtf8().toStdString()));
  font.color = FontColor::FromStored(ini.ReadInteger(section, Key(prefix, "Color"), font.color.Stored()));
  font.orientation = ini.ReadInteger(section, Key(prefix, "Orientation"), font.orientation);
  font.size = ini.ReadInteger(section, Key(prefix, "Size"), font.size);
  const bool bold = ini.ReadBool(section, Key(prefix, "Style.Bold"), font.bold);
  const bool italic = ini.ReadBool(section, Key(prefix, "Style.Italic"), font.italic);
  const bool underline = ini.ReadBool(section, Key(prefix, "Style.Underline"), font.underline);
  const bool strikeOut = ini.ReadBool(section, Key(prefix, "Style.StrikeOut"), font.strikeOut);
  font.bold = bold;
  font.italic = italic;
  font.underline = underline;
  font.strikeOut = strikeOut;
}

void SaveFontSettings(ProfileFile& ini, std::string_view section, std::string_view prefix,
                      const DiagramFont& font) {
  ini.WriteString(section, Key(prefix, "Name"), font.name.toUtf8().toStdString());
  ini.WriteInteger(section, Key(prefix, "Color"), font.color.Stored());
  ini.WriteInteger(section, Key(prefix, "Orientation"), font.orientation);
  ini.WriteInteger(section, Key(prefix, "Size"), font.size);
  ini.WriteBool(section, Key(prefix, "Style.Bold"), font.bold);
  ini.WriteBool(section, Key(prefix, "Style.Italic"), font.italic);
  ini.WriteBool(section, Key(prefix, "Style.Underline"), font.underline);
  ini.WriteBool(section, Key(prefix, "Style.StrikeOut"), font.strikeOut);
}

}  // namespace kova
