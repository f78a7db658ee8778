#include "render/bitmap_limits.h"

#include <QString>

#include "translate/exception.h"
#include "translate/memory_budget.h"

namespace kova {

namespace {

// A side of a text measured only in part is known to be too long, no more.
QString SideLength(long long pixels) {
  if (pixels >= kWiderThanAnyBitmap) return QStringLiteral("mehr als %1").arg(kMaxBitmapSide);
  return QString::number(pixels);
}

[[noreturn]] void Refuse(long long width, long long height, const QString& reason) {
  throw Exception(
      QStringLiteral("Für das Diagramm kann keine Grafik von %1 × %2 Pixeln angelegt werden. %3")
          .arg(SideLength(width))
          .arg(SideLength(height))
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
  const long long bytes = PictureBytes(width, height);
  if (bytes > MemoryBudget::Left()) Refuse(width, height, OutOfMemoryReason());
  MemoryBudget::Spend(bytes);
}

void RefuseForLackOfMemory(long long width, long long height) {
  Refuse(width, height, OutOfMemoryReason());
}

}  // namespace kova
