#include "app/window/program_icon.h"

#include <QString>

// The pictures are compiled into the library; a static library's resources
// are registered only when asked for by name, and only from outside any
// namespace.
static void RegisterIconPictures() { Q_INIT_RESOURCE(kova); }

namespace kova {

QIcon ProgramIcon() {
  RegisterIconPictures();
  QIcon icon;
  for (const int size : {16, 32, 48}) {
    icon.addFile(QStringLiteral(":/icons/kova-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace kova
