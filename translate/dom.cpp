#include "translate/dom.h"

#include <QDomAttr>
#include <QDomImplementation>

#include <vector>

#include "translate/exception.h"

namespace kova {
namespace {

constexpr char kHierarchyRequestError[] = "Hierarchy request error.";
constexpr char kInvalidCharacterError[] = "Invalid character error.";

// Qt frees a node's children recursively, one stack frame per level, which
// overflows the stack for deeply nested diagrams. Detaching every node from
// its parent first, from the top down, lets each node die as a leaf; going
// top down keeps every detach cheap, because Qt finds the document of a
// node by climbing its attached ancestors.
void DetachTopDown(QDomDocument& document) {
  std::vector<TDomNode> detached;
  for (TDomNode child = document.firstChild(); !child.isNull(); child = document.firstChild()) {
    document.removeChild(child);
    detached.push_back(child);
  }
  while (!detached.empty()) {
    TDomNode node = std::move(detached.back());
    detached.pop_back();
    for (TDomNode child = node.firstChild(); !child.isNull(); child = node.firstChild()) {
      node.removeChild(child);
      detached.push_back(child);
    }
  }
}

}  // namespace

TDomDocument::TDomDocument() : document_(QDomDocumentType()) {}

TDomDocument::~TDomDocument() { DetachTopDown(document_); }

TDomElement TDomDocument::CreateElement(const QString& tag_name) {
  // The policy is process-wide; setting it here keeps element creation
  // strict whatever else has changed it.
  QDomImplementation::setInvalidDataPolicy(QDomImplementation::ReturnNullNode);
  TDomElement element = document_.createElement(tag_name);
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
