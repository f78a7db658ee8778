#include "app/dialogs/version_info.h"

namespace kova {

QString GetVersionString(const QString& fileName) {
  if (!fileName.trimmed().isEmpty()) return QString();
  return QStringLiteral("Version %1    built %2")
      .arg(QStringLiteral(KOVA_VERSION))
      .arg(KOVA_BUILD_NUMBER);
}

}  // namespace kova
