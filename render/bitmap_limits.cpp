#include "render/bitmap_limits.h"

#include <unistd.h>

#include <QString>

#include "translate/exception.h"

namespace kova {

long long BitmapMemoryBudget() {
  const long long pages = sysconf(_SC_PHYS_PAGES);
  const long long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 1LL << 30;
  return pages / 2 * pageSize;
}

void CheckBitmapSize(long long width, long long height) {
  QString reason;
  if (width < 1 || height < 1) {
    reason = QStringLiteral("Die Größe ist ungültig.");
  } else if (width > kMaxBitmapSide || height > kMaxBitmapSide) {
    reason =
        QStringLiteral("Das Diagramm ist zu groß: eine Seite darf höchstens %1 Pixel lang sein.")
            .arg(kMaxBitmapSide);
  } else if (width * height * 4 > BitmapMemoryBudget()) {
    reason = QStringLiteral("Das Diagramm ist zu groß für den verfügbaren Arbeitsspeicher.");
  } else {
    return;
  }
  throw Exception(
      QStringLiteral("Für das Diagramm kann keine Grafik von %1 × %2 Pixeln angelegt werden. %3")
          .arg(width)
          .arg(height)
          .arg(reason)
          .toLatin1()
          .toStdString());
}

}  // namespace kova
