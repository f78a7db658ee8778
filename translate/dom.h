#ifndef KOVA_TRANSLATE_DOM_H_
#define KOVA_TRANSLATE_DOM_H_

// The diagram tree: documents of elements with string attributes, held in
// Qt's DOM. Elements and nodes are Qt's own handle types (cheap to copy,
// compared by identity with ==, null when absent); this layer adds what Qt
// lacks: a factory that owns and frees the documents, strict element
// creation and a document that takes one root element only.
//
// Walk children with Children() (firstChild/nextSibling). Never index
// childNodes() in a loop that changes the tree: Qt rebuilds the list after
// every change, which makes such a loop quadratic.
//
// Qt finds a node's document by climbing its ancestors, so every change to
// an element that is already in the tree (appendChild, setAttribute) costs
// time proportional to its depth: quadratic for deeply nested diagrams.
// Build subtrees before appending them, and write attributes of elements in
// the tree with TDomDocument::SetAttribute, whose cost is independent of depth.

#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QString>

#include <cstdint>
#include <list>
#include <unordered_map>

namespace kova {

using TDomNode = QDomNode;
using TDomElement = QDomElement;

class TDomImplementation;

// One diagram: a document that holds exactly one root element ("data").
// Created and freed only by its TDomImplementation.
class TDomDocument {
 public:
  TDomDocument(const TDomDocument&) = delete;
  TDomDocument& operator=(const TDomDocument&) = delete;

  // A new element of this document, not yet in the tree. Throws
  // Exception("Invalid character error.") when tag_name is not an XML name.
  TDomElement CreateElement(const QString& tag_name);
  // The same for the tag name of an element kind (tree.h), whose name needs
  // no check. REQUIRES: kind <= 8.
  TDomElement CreateElementOfKind(uint8_t kind);

  // Appends the root element. Throws Exception("Hierarchy request error.")
  // when the document already has one.
  void AppendChild(const TDomElement& root);

  // Sets (or replaces) an attribute of an element of this document in time
  // independent of the element's depth.
  void SetAttribute(TDomElement& element, const QString& name, const QString& value);

  // The root element; null while none has been appended.
  TDomElement DocumentElement() const;

  // The document node itself (nodeName "#document"); the parent of the root.
  TDomNode Node() const;

 private:
  friend class TDomImplementation;
  TDomDocument();
  ~TDomDocument();
  TDomElement NewElement(const QString& tag_name, bool known);

  QDomDocument document_;
};

// The tree factory: owns every document created with it until the document
// is freed. Destroying the factory frees the documents still registered,
// the last registered first. Not thread-safe (neither is Qt's DOM).
class TDomImplementation {
 public:
  TDomImplementation();
  ~TDomImplementation();
  TDomImplementation(const TDomImplementation&) = delete;
  TDomImplementation& operator=(const TDomImplementation&) = delete;

  // A new empty document registered with this factory.
  TDomDocument* CreateDocument();

  // Frees the document and all its nodes, at any depth of nesting. Null
  // and documents not registered here are ignored. REQUIRES: no handle into the document is used after.
  void FreeDocument(TDomDocument* document);

  // How many documents are registered.
  size_t DocumentCount() const { return documents_.size(); }

 private:
  using Documents = std::list<TDomDocument*>;
  Documents documents_;  // in order of registration
  std::unordered_map<const TDomDocument*, Documents::iterator> index_;
};

// Appends child at the end of parent's children. A document parent takes a
// single element child. Throws Exception("Hierarchy request error.") when
// the append is refused. REQUIRES: both belong to the same document.
void AppendChild(TDomNode parent, const TDomNode& child);

// Range over a node's children in order, for range-based for loops:
//   for (const TDomNode& child : Children(node)) ...
// The range reads firstChild/nextSibling as it goes, so children appended
// during the walk are visited too.
class ChildRange {
 public:
  class Iterator {
   public:
    explicit Iterator(TDomNode node) : node_(std::move(node)) {}
    const TDomNode& operator*() const { return node_; }
    Iterator& operator++() {
      node_ = node_.nextSibling();
      return *this;
    }
    bool operator!=(const Iterator& other) const { return node_ != other.node_; }

   private:
    TDomNode node_;
  };

  explicit ChildRange(const TDomNode& parent) : first_(parent.firstChild()) {}
  Iterator begin() const { return Iterator(first_); }
  Iterator end() const { return Iterator(TDomNode()); }

 private:
  TDomNode first_;
};

inline ChildRange Children(const TDomNode& parent) { return ChildRange(parent); }

}  // namespace kova

#endif  // KOVA_TRANSLATE_DOM_H_
