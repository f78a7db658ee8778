#include "translate/memory_budget.h"

#include <algorithm>

#include "translate/exception.h"
#include "translate/memory_room.h"

namespace kova {
namespace {

MemoryBudget* run_budget = nullptr;

constexpr long long kMegabyte = 1LL << 20;

// Translation stops at the function that no longer fits: there may be more
// than `functions`.
[[noreturn]] void RefuseForFunctions(int64_t functions) {
  throw Exception(QStringLiteral("Das Skript hat zu viele Funktionen für den verfügbaren "
                                 "Arbeitsspeicher: für die Diagramme von %1 Funktionen reichen die "
                                 "%2 MB nicht, die noch frei sind.")
                      .arg(functions)
                      .arg(MemoryBudget::Left() / kMegabyte)
                      .toLatin1()
                      .toStdString());
}

}  // namespace

long long TreeBytes(const TreeSize& size) {
  return size.elements * kBytesPerElement + size.caption_bytes * kBytesPerCaptionCharacter +
         std::min<long long>(size.longest_caption, kMaxCharactersMeasuredAtOnce) * kBytesPerMeasuredCharacter;
}

MemoryBudget::MemoryBudget() : MemoryBudget(MemoryRoom() / 2) {}

MemoryBudget::MemoryBudget(long long bytes)
    : left_(run_budget == nullptr ? bytes : std::min(bytes, run_budget->left_)),
      enclosing_(run_budget) {
  run_budget = this;
}

MemoryBudget::~MemoryBudget() { run_budget = enclosing_; }

long long MemoryBudget::Left() {
  if (run_budget != nullptr) return run_budget->left_;
  static const long long outside_runs = MemoryRoom() / 2;
  return outside_runs;
}

void MemoryBudget::Spend(long long bytes) {
  if (run_budget != nullptr) run_budget->left_ = std::max(0LL, run_budget->left_ - bytes);
}

QString OutOfMemoryReason() {
  return QStringLiteral("Das Diagramm ist zu groß für den verfügbaren Arbeitsspeicher.");
}

void CheckFunctionDiagrams(int64_t functions, long long bytes) {
  if (bytes > MemoryBudget::Left()) RefuseForFunctions(functions);
}

void CheckTreeSize(const TreeSize& size, long long bytes_per_function) {
  const long long trees = TreeBytes(size);
  const long long diagrams = size.functions * bytes_per_function;
  const long long bytes = trees + diagrams;
  if (bytes <= MemoryBudget::Left()) return;
  if (diagrams > trees) RefuseForFunctions(size.functions);
  throw Exception(
      QStringLiteral("Für das Skript kann kein Diagramm aus %1 Elementen (etwa %2 MB) angelegt "
                     "werden; frei sind noch %3 MB. %4")
          .arg(size.elements)
          .arg((bytes + kMegabyte - 1) / kMegabyte)
          .arg(MemoryBudget::Left() / kMegabyte)
          .arg(OutOfMemoryReason())
          .toLatin1()
          .toStdString());
}

}  // namespace kova
