#include "app/platform/freed_memory.h"

#include <algorithm>

// Any header of the C library tells whether it is glibc's.
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kova {
namespace {

// A run that needs less than a quarter of what an earlier one took leaves
// memory that the next runs, on a script edited bit by bit, are unlikely to
// take again. Runs of half as many functions and back keep theirs.
constexpr long long kShrinkFactor = 4;
// Less than the diagrams of some hundred functions is not worth a walk of
// the heap.
constexpr long long kNotWorthGivingBack = 64LL << 20;
// Memory left unused may cost the run's budget, half of the room, no more
// than a sixty-fourth of the room.
constexpr long long kRoomShare = 32;

}  // namespace

bool FreedMemory::GiveBackBeforeRun(long long held, long long room) {
  if (largest_ - held <= room / kRoomShare) return false;
  GiveBack(held);
  return true;
}

void FreedMemory::GiveBackAfterRun(long long heldBefore, long long trees, long long held) {
  // The trees are made while the last run's diagrams are still held.
  largest_ = std::max(largest_, std::max(heldBefore, held) + trees);
  if (largest_ > kShrinkFactor * (held + trees) + kNotWorthGivingBack) GiveBack(held);
}

void FreedMemory::GiveBack(long long held) {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
  largest_ = held;
}

}  // namespace kova
