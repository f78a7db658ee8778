#include "translate/draft_tree.h"

#include <algorithm>

#include "translate/exception.h"
#include "translate/latin1.h"
#include "translate/tree.h"

namespace kova {

DraftTree::DraftTree(TreeSize* size) : size_(size) {
  nodes_.emplace_back();
  if (size_ != nullptr) ++size_->elements;
}

DraftTree::Index DraftTree::AddWithoutCaption(Index parent, uint8_t kind) {
  const auto index = static_cast<Index>(nodes_.size());
  Node node;
  node.kind = kind;
  node.parent = parent;
  nodes_.push_back(std::move(node));
  if (size_ != nullptr) ++size_->elements;
  Node& parent_node = nodes_[parent];
  if (parent_node.last_child < 0)
    parent_node.first_child = index;
  else
    nodes_[parent_node.last_child].next_sibling = index;
  parent_node.last_child = index;
  return index;
}

DraftTree::Index DraftTree::Add(Index parent, uint8_t kind, std::string_view caption) {
  const Index index = AddWithoutCaption(parent, kind);
  SetCaption(index, caption);
  return index;
}

void DraftTree::SetCaption(Index node, std::string_view caption) {
  if (size_ != nullptr) {
    const auto length = static_cast<int64_t>(caption.size());
    size_->caption_bytes += length - static_cast<int64_t>(nodes_[node].caption.size());
    size_->longest_caption = std::max(size_->longest_caption, length);
  }
  nodes_[node].caption.assign(caption);
  nodes_[node].has_caption = true;
}

DraftTree::Index DraftTree::Parent(Index node) const {
  if (node == kRoot) throw Exception("Hierarchy request error.");
  return nodes_[node].parent;
}

DraftTree::Index DraftTree::FindChild(Index parent, std::string_view caption) const {
  for (Index child = nodes_[parent].first_child; child >= 0; child = nodes_[child].next_sibling)
    if (nodes_[child].caption == caption) return child;
  return -1;
}

void DraftTree::CopyInto(TDomDocument& document) const {
  static const QString kCaption = QString::fromLatin1(kCaptionAttribute);
  static const QString kElifCounter = QString::fromLatin1(kElifCounterAttribute);

  // Each element gets its attributes and its children while it is still
  // outside the document, where Qt's cost per change does not grow with
  // depth: children have higher indices than their parent, so going from
  // the last index down completes every subtree before its parent takes it.
  std::vector<TDomElement> elements(nodes_.size());
  for (auto index = static_cast<Index>(nodes_.size()) - 1; index >= 0; --index) {
    const Node& node = nodes_[index];
    TDomElement& element = elements[index];
    element = document.CreateElementOfKind(node.kind);
    if (node.has_caption) element.setAttribute(kCaption, ToQString(node.caption));
    if (node.elif_counter > 0) element.setAttribute(kElifCounter, QString::number(node.elif_counter));
    for (Index child = node.first_child; child >= 0; child = nodes_[child].next_sibling) {
      AppendChild(element, elements[child]);
      elements[child] = TDomElement();  // the parent holds it now
    }
  }
  document.AppendChild(elements[kRoot]);
}

}  // namespace kova
