// The program's icon: a small Nassi-Shneiderman diagram drawn for 16, 32
// and 48 pixels.
#pragma once

#include <QIcon>

namespace kova {

QIcon ProgramIcon();

}  // namespace kova
