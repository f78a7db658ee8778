// Memory the runs free, handed back to the system where much of it lies
// unused. glibc's allocator keeps what a run frees for later use, and the
// next run's memory budget, taken from what the system has free, would
// shrink by all of it. Giving it back walks the whole heap, and memory the
// next run takes again costs a page fault for every page; so it is given
// back only where a run needs far less than an earlier one took, or where
// what lies unused would change the next run's budget noticeably. The
// figures are the runs' own: the diagrams they hold and the trees they make.
// Only glibc's allocator is asked; elsewhere nothing goes back.
#pragma once

namespace kova {

class FreedMemory {
 public:
  // Before a run, while the last run's diagrams hold `held` bytes and the
  // system has `room` bytes free. Returns whether memory went back, so that
  // the room is to be taken again.
  bool GiveBackBeforeRun(long long held, long long room);

  // After a run, also one refused or cut short, that found diagrams of
  // `heldBefore` bytes, made trees of `trees` bytes and leaves diagrams of
  // `held` bytes.
  void GiveBackAfterRun(long long heldBefore, long long trees, long long held);

 private:
  void GiveBack(long long held);

  // The most the runs may have had at once since memory last went back.
  long long largest_ = 0;
};

}  // namespace kova
