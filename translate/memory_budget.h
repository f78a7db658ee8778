// The memory one run (translating a script, laying out and drawing its
// diagrams) may spend: half of what the process can have when the run
// starts. Trees and pictures are checked against it before their memory is
// asked for, so that a huge or hostile script is refused with a message
// instead of exhausting the machine.
#ifndef KOVA_TRANSLATE_MEMORY_BUDGET_H_
#define KOVA_TRANSLATE_MEMORY_BUDGET_H_

#include <QString>

#include <cstdint>

namespace kova {

// What one element of a diagram tree costs in Qt's DOM once layout has
// written its sizes, besides its caption (measured: about 2.5 KB in the tree
// and up to 0.5 KB for the sizes); each caption character costs three bytes
// more, two in the tree and one in the translator's working copy. Layout
// measures one caption at a time, at most kMaxCharactersMeasuredAtOnce
// characters of it at once, and Qt's text layout takes about 45 bytes a
// character while it measures.
constexpr long long kBytesPerElement = 3000;
constexpr long long kBytesPerCaptionCharacter = 3;
constexpr long long kBytesPerMeasuredCharacter = 48;
constexpr long long kMaxCharactersMeasuredAtOnce = 1LL << 20;

// The size of diagram trees: their elements, their captions' characters in
// all and the longest caption's, and how many of the trees are functions'.
struct TreeSize {
  int64_t elements = 0;
  int64_t caption_bytes = 0;
  int64_t longest_caption = 0;
  int64_t functions = 0;
};

// The bytes that trees of that size take while they are laid out.
long long TreeBytes(const TreeSize& size);

// The budget of the run under way while it lives. A budget made while
// another lives takes at most what that one has left. Not thread-safe:
// runs happen on the user-interface thread.
class MemoryBudget {
 public:
  // Half of MemoryRoom() as the process stands now.
  MemoryBudget();
  explicit MemoryBudget(long long bytes);
  ~MemoryBudget();
  MemoryBudget(const MemoryBudget&) = delete;
  MemoryBudget& operator=(const MemoryBudget&) = delete;

  // What the run under way has left; outside a run, half of what the
  // process could have when first asked.
  static long long Left();
  // Counts bytes as taken by the run under way; outside a run nothing.
  static void Spend(long long bytes);

 private:
  long long left_;
  MemoryBudget* enclosing_;
};

// Memory as the messages name it: in megabytes, rounded up.
constexpr long long kMegabyte = 1LL << 20;
constexpr long long MegabytesRoundedUp(long long bytes) { return (bytes + kMegabyte - 1) / kMegabyte; }

// The reason every refusal for memory gives.
QString OutOfMemoryReason();

// Whether a number of functions is the script's own or only as many as a
// translation stopped in the middle had met.
enum class FunctionCount { kAll, kSoFar };

// Raises an Exception naming the size when such trees, and for each
// function `bytes_per_function` more for showing its diagram, do not fit
// into what the run has left. Where the functions' diagrams take the larger
// part and fewer functions would fit, the message names their number as the
// cause, "at least" that many for kSoFar. Where the main diagram's picture,
// counted as one function's diagram, and one function's diagram do not fit
// both beside the trees, their number is no cause: the trees pass, and the
// picture that is too large is refused with its size when it is made
// (render/bitmap_limits.h).
void CheckTreeSize(const TreeSize& size, long long bytes_per_function = 0,
                   FunctionCount counted = FunctionCount::kAll);

// Raises the Exception that names the script's `functions` as too many for
// the memory when the diagrams of the `still_to_draw` of them, at
// `bytes_per_function` each, do not fit into what the run has left. One
// function is never too many, nor are functions of which not even the
// first one's diagram fits (still_to_draw equal to functions): its picture
// is checked when it is made.
void CheckFunctionDiagrams(int64_t functions, int64_t still_to_draw, long long bytes_per_function);

}  // namespace kova

#endif  // KOVA_TRANSLATE_MEMORY_BUDGET_H_
