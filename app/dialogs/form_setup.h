// The settings every dialog of the program starts with: its object name,
// caption and font. The fonts are given in pixels (8 points at 96 dots per
// inch are 11 pixels), so the fixed layouts fit whatever the screen.
#pragma once

#include <QString>

class QDialog;

namespace kova {

void SetUpForm(QDialog& form, const char* name, const QString& caption,
               const char* fontFamily, int fontPixels = 11);

}  // namespace kova
