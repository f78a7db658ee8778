#include "translate/memory_budget.h"

#include <algorithm>

#include "translate/exception.h"
#include "translate/memory_room.h"

namespace kova {
namespace {

MemoryBudget* run_budget = nullptr;

// Translation stops at the function that no longer fits: the script may
// hold more than it counted by then.
[[noreturn]] void RefuseForFunctions(int64_t functions, FunctionCount counted) {
  const QString number = counted == FunctionCount::kAll ? QString::number(functions)
                                                         : QStringLiteral("mindestens %1").arg(functions);
  throw Exception(QStringLiteral("Das Skript hat zu viele Funktionen für den verfügbaren "
                                 "Arbeitsspeicher: für die Diagramme von %1 Funktionen reichen die "
                                 "%2 MB nicht, die noch frei sind.")
                      .arg(number)
                      .arg(MemoryBudget::Left() / kMegabyte)
                      .toLatin1()
                      .toStdString());
}

// Pictures as large as the settings may make them would overflow the
// product; past any memory there is, the exact number does not matter.
long long DiagramBytes(int64_t functions, long long bytes_per_function) {
  constexpr long long kBeyondAnyMemory = 1LL << 60;
  return bytes_per_function > 0 && functions > kBeyondAnyMemory / bytes_per_function
             ? kBeyondAnyMemory
             : functions * bytes_per_function;
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

void CheckFunctionDiagrams(int64_t functions, int64_t still_to_draw, long long bytes_per_function) {
  const long long left = MemoryBudget::Left();
  // Where the first function's diagram does not fit beside the main
  // diagram's, the pictures are too large for any number of functions.
  const bool one_fits = still_to_draw < functions || bytes_per_function <= left;
  if (functions > 1 && one_fits && DiagramBytes(still_to_draw, bytes_per_function) > left) {
    RefuseForFunctions(functions, FunctionCount::kAll);
  }
}

void CheckTreeSize(const TreeSize& size, long long bytes_per_function, FunctionCount counted) {
  const long long left = MemoryBudget::Left();
  const long long trees = TreeBytes(size);
  const long long diagrams = DiagramBytes(size.functions, bytes_per_function);
  long long bytes = trees + diagrams;
  if (bytes <= left) return;
  if (diagrams > trees) {
    // The main diagram's picture counts as much as one function's diagram,
    // which is no less than the smallest picture, an empty main program's.
    // Where both fit beside the trees, fewer functions would fit.
    if (trees + DiagramBytes(2, bytes_per_function) <= left) RefuseForFunctions(size.functions, counted);
    // The main diagram and one function's do not fit both: no number of
    // functions is the cause but the size of the pictures, named when one of
    // them is made.
    if (trees <= left) return;
    bytes = trees;
  }
  throw Exception(
      QStringLiteral("Für das Skript kann kein Diagramm aus %1 Elementen (etwa %2 MB) angelegt "
                     "werden; frei sind noch %3 MB. %4")
          .arg(size.elements)
          .arg(MegabytesRoundedUp(bytes))
          .arg(left / kMegabyte)
          .arg(OutOfMemoryReason())
          .toLatin1()
          .toStdString());
}

}  // namespace kova
