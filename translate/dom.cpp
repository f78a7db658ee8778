#include "translate/dom.h"

#include <QDomAttr>
#include <QDomImplementation>

#include <vector>

#include "translate/exception.h"
#include "translate/tree.h"

namespace kova {
namespace {

constexpr char kHierarchyRequestError[] = "Hierarchy request error.";
constexpr char kInvalidCharacterError[] = "Invalid character error.";

// Qt frees a node's children recursively, a few stack frames per level,
// which overflows the stack for deeply nested diagrams. Cutting the tree
// into pieces at every kCutDepth-th level bounds that recursion: each piece
// is freed by Qt when the last handle on it goes, the document's own piece
// with the document.
constexpr int kCutDepth = 256;

void CutIntoShallowPieces(const TDomNode& top) {
  std::vector<TDomNode> pieces = {top};
  while (!pieces.empty()) {
    const TDomNode piece = std::move(pieces.back());
    pieces.pop_back();
    // A walk in document order; `depth` is the parent's depth in the piece.
    TDomNode parent = piece;
    TDomNode node = piece.firstChild();
    int depth = 0;
    for (;;) {
      if (node.isNull()) {
        if (depth == 0) break;
        node = parent.nextSibling();
        parent = parent.parentNode();
        --depth;
      } else if (depth + 1 == kCutDepth) {
        TDomNode next = node.nextSibling();
        parent.removeChild(node);
        pieces.push_back(node);
        node = next;
      } else {
        parent = node;
        node = node.firstChild();
        ++depth;
      }
    }
  }
}

// The tree's own names are valid XML names. Qt rebuilds a name character
// by character when it checks it, so these skip the check and share one
// string; every other name is checked.
bool IsVocabularyName(const QString& name) {
  for (uint8_t kind = 0; kind < ElementNames.size(); ++kind)
    if (name == TagName(kind)) return true;
  return false;
}

}  // namespace

TDomDocument::TDomDocument() : document_(QDomDocumentType()) {}

TDomDocument::~TDomDocument() { CutIntoShallowPieces(document_); }

TDomElement TDomDocument::CreateElement(const QString& tag_name) {
  return NewElement(tag_name, IsVocabularyName(tag_name));
}

TDomElement TDomDocument::CreateElementOfKind(uint8_t kind) {
  return NewElement(TagName(kind), true);
}

TDomElement TDomDocument::NewElement(const QString& tag_name, bool known) {
  // The policy is process-wide; it is set on every call so that creation
  // stays strict whatever else has changed it.
  QDomImplementation::setInvalidDataPolicy(known ? QDomImplementation::AcceptInvalidChars
                                                 : QDomImplementation::ReturnNullNode);
  TDomElement element = document_.createElement(tag_name);
  QDomImplementation::setInvalidDataPolicy(QDomImplementation::ReturnNullNode);
  if (element.isNull()) throw Exception(kInvalidCharacterError);
  return element;
}

void TDomDocument::AppendChild(const TDomElement& root) { kova::AppendChild(document_, root); }

void TDomDocument::SetAttribute(TDomElement& element, const QString& name, const QString& value) {
  // A fresh attribute node is not yet in the tree, so setting its value
  // does not climb the element's ancestors as QDomElement::setAttribute
  // does; removing the old one first lets Qt free it.
  QDomAttr attribute = document_.createAttribute(name);
  attribute.setValue(value);
  element.removeAttribute(name);
  element.setAttributeNode(attribute);
}

TDomElement TDomDocument::DocumentElement() const { return document_.documentElement(); }

TDomNode TDomDocument::Node() const { return document_; }

TDomImplementation::TDomImplementation() = default;

TDomImplementation::~TDomImplementation() {
  while (!documents_.empty()) FreeDocument(documents_.back());
}

TDomDocument* TDomImplementation::CreateDocument() {
  auto* document = new TDomDocument();
  documents_.push_back(document);
  index_.emplace(document, std::prev(documents_.end()));
  return document;
}

void TDomImplementation::FreeDocument(TDomDocument* document) {
  const auto found = index_.find(document);
  if (found == index_.end()) return;
  documents_.erase(found->second);
  index_.erase(found);
  delete document;
}

void AppendChild(TDomNode parent, const TDomNode& child) {
  if (parent.isDocument() && !parent.firstChildElement().isNull())
    throw Exception(kHierarchyRequestError);
  if (parent.appendChild(child).isNull()) throw Exception(kHierarchyRequestError);
}

}  // namespace kova
