#ifndef KOVA_TRANSLATE_DRAFT_TREE_H_
#define KOVA_TRANSLATE_DRAFT_TREE_H_

// The translator's working copy of one diagram. Growing a Qt DOM tree one
// element at a time at the current position costs time proportional to the
// depth of that position, so the translator builds this plain tree first and
// copies it into its document in one pass when the translation ends.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "translate/dom.h"
#include "translate/memory_budget.h"

namespace kova {

class DraftTree {
 public:
  using Index = int32_t;
  static constexpr Index kRoot = 0;

  // A tree that holds the root "data" only. Counts itself in `size` when
  // given, so that several drafts can be checked together as they grow.
  // REQUIRES: the size outlives the tree.
  explicit DraftTree(TreeSize* size = nullptr);

  // Appends an element of `kind` (1 to 8) at the end of parent's children,
  // with the caption or, for an open foot-controlled loop, without one.
  Index Add(Index parent, uint8_t kind, std::string_view caption);
  Index AddWithoutCaption(Index parent, uint8_t kind);

  uint8_t Kind(Index node) const { return nodes_[node].kind; }
  // "" when the element has no caption.
  const std::string& Caption(Index node) const { return nodes_[node].caption; }
  void SetCaption(Index node, std::string_view caption);
  // 0 when absent; elif selections carry 1 and more.
  int32_t ElifCounter(Index node) const { return nodes_[node].elif_counter; }
  void SetElifCounter(Index node, int32_t value) { nodes_[node].elif_counter = value; }

  // Throws Exception("Hierarchy request error.") for the root, whose
  // parent is the document, which never becomes the current element.
  Index Parent(Index node) const;

  // The first child whose caption is `caption`; -1 when there is none.
  Index FindChild(Index parent, std::string_view caption) const;

  // Copies the tree into `document` as its root element and children.
  // REQUIRES: the document is empty.
  void CopyInto(TDomDocument& document) const;

 private:
  struct Node {
    uint8_t kind = 0;
    bool has_caption = false;
    int32_t elif_counter = 0;
    Index parent = -1;
    Index first_child = -1;
    Index last_child = -1;
    Index next_sibling = -1;
    std::string caption;
  };

  std::vector<Node> nodes_;
  TreeSize* size_;
};

}  // namespace kova

#endif  // KOVA_TRANSLATE_DRAFT_TREE_H_
