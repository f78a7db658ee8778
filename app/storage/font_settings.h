// The eight settings keys of a font: prefix + ".Font.Name", ".Font.Color",
// ".Font.Orientation", ".Font.Size" and ".Font.Style.Bold", ".Italic",
// ".Underline", ".StrikeOut", in that order.
#pragma once

#include <string_view>

#include "app/storage/profile_file.h"
#include "render/diagram_font.h"

namespace kova {

// Reads the keys, each with the font's current value as its default. The four
// style flags are gathered first and set together.
void LoadFontSettings(const ProfileFile& ini, std::string_view section, std::string_view prefix,
                      DiagramFont& font);

void SaveFontSettings(ProfileFile& ini, std::string_view section, std::string_view prefix,
                      const DiagramFont& font);

}  // namespace kova
