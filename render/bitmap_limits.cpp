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

namespace {

const QString kOutOfMemory =
    QStringLiteral("Das Diagramm ist zu groß für den verfügbaren Arbeitsspeicher.");

[[noreturn]] void Refuse(long long width, long long height, const QString& reason) {
  throw Exception(
      QStringLiteral("Für das Diagramm kann keine Grafik von %1 × %2 Pixeln angelegt werden. %3")
          .arg(width)
          .arg(height)
          .arg(reason)
          .toLatin1()
          .toStdString());
}

}  // namespace

void CheckBitmapSize(long long width, long long height) {
  if (width < 1 || height < 1) Refuse(width, height, QStringLiteral("Die Größe ist ungültig."));
  if (width > kMaxBitmapSide || height > kMaxBitmapSide) {
    Refuse(width, height,
           QStringLiteral("Das Diagramm ist zu groß: eine Seite darf höchstens %1 Pixel lang sein.")
               .arg(kMaxBitmapSide));
  }
  if (width * height * 4 > BitmapMemoryBudget()) Refuse(width, height, kOutOfMemory);
}

void RefuseForLackOfMemory(long long width, long long height) {
  Refuse(width, height, kOutOfMemory);
}

}  // namespace kova
