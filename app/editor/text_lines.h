// Splitting a text into lines the way a list of lines takes a text: CR LF,
// CR and LF each end a line, and a break at the very end adds no empty line.
#pragma once

#include <QString>
#include <QStringList>

namespace kova {

QStringList SplitTextLines(const QString& text);

}  // namespace kova
