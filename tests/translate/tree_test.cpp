// The tree layer: documents owned by the factory, strict element creation,
// the read helpers and the 8-bit conversion.
#include <gtest/gtest.h>

#include <string>

#include "translate/dom.h"
#include "translate/exception.h"
#include "translate/latin1.h"
#include "translate/tree.h"

namespace kova {
namespace {

class TreeTest : public ::testing::Test {
 protected:
  TDomElement AddElement(const TDomNode& parent, const char* tag, const std::string& caption) {
    TDomElement element = document_->CreateElement(QString::fromLatin1(tag));
    element.setAttribute(kCaptionAttribute, ToQString(caption));
    AppendChild(parent, element);
    return element;
  }

  TDomImplementation factory_;
  TDomDocument* document_ = factory_.CreateDocument();
};

TEST(ElementKindTest, NamesCountExactly) {
  EXPECT_EQ(ElementKind("fall"), kFall);
  EXPECT_EQ(ElementKind("auswahl"), kAuswahl);
  EXPECT_EQ(ElementKind("ende"), kEnde);
  EXPECT_EQ(ElementKind("data"), kNoKind);
  EXPECT_EQ(ElementKind("#document"), kNoKind);
  EXPECT_EQ(ElementKind(""), kNoKind);
  EXPECT_EQ(ElementKind("Fall"), kNoKind);
  EXPECT_EQ(ElementKind("fall "), kNoKind);
}

TEST_F(TreeTest, NodeKindFollowsTagName) {
  TDomElement root = document_->CreateElement(kDataTag);
  document_->AppendChild(root);
  EXPECT_EQ(NodeKind(root), kNoKind);
  EXPECT_EQ(NodeKind(document_->Node()), kNoKind);
  EXPECT_EQ(NodeKind(TDomNode()), kNoKind);
  for (size_t kind = 1; kind < ElementNames.size(); ++kind)
    EXPECT_EQ(NodeKind(AddElement(root, ElementNames[kind].c_str(), "x")), kind);
}

TEST_F(TreeTest, CaptionReadsEmptyWhereThereIsNone) {
  TDomElement root = document_->CreateElement(kDataTag);
  document_->AppendChild(root);
  TDomElement open_loop = document_->CreateElement("until");
  AppendChild(root, open_loop);
  EXPECT_EQ(GetCaption(document_->Node()), "");
  EXPECT_EQ(GetCaption(root), "");
  EXPECT_EQ(GetCaption(open_loop), "");
  EXPECT_EQ(GetCaption(TDomNode()), "");
}

TEST_F(TreeTest, CaptionKeepsMarkerAndLatin1Bytes) {
  TDomElement root = document_->CreateElement(kDataTag);
  document_->AppendChild(root);
  const std::string header = std::string(1, FunctionHeaderMarker) + "funktion f\xFC" "r {";
  EXPECT_EQ(GetCaption(AddElement(root, "aufruf", header)), header);
  const std::string all_bytes = [] {
    std::string text;
    for (int byte = 0; byte < 256; ++byte) text += static_cast<char>(byte);
    return text;
  }();
  EXPECT_EQ(ToLatin1(ToQString(all_bytes)), all_bytes);
}

TEST_F(TreeTest, IntAttributeAcceptsOnlyDecimalIntegers) {
  TDomElement element = document_->CreateElement("auswahl");
  EXPECT_EQ(GetIntAttribute(element, kElifCounterAttribute), 0);
  const std::pair<const char*, int32_t> cases[] = {
      {"12", 12},        {"-4", -4}, {"+7", 7},  {"12a", 0},           {"", 0},
      {"-", 0},          {" 1", 0},  {"0x10", 0}, {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1}, {"2147483648", 0}, {"99999999999999999999", 0}};
  for (const auto& [text, expected] : cases) {
    element.setAttribute(kElifCounterAttribute, QString::fromLatin1(text));
    EXPECT_EQ(GetIntAttribute(element, kElifCounterAttribute), expected) << text;
  }
  element.setAttribute(kBreiteAttribute, 120);
  element.setAttribute(kHoeheAttribute, 30);
  EXPECT_EQ(GetBreite(element), 120);
  EXPECT_EQ(GetHoehe(element), 30);
  EXPECT_EQ(GetIntAttribute(document_->Node(), kBreiteAttribute), 0);
  EXPECT_EQ(GetBreite(TDomNode()), 0);
}

TEST_F(TreeTest, DefaultBranchNeedsAnExactCaption) {
  TDomElement root = document_->CreateElement(kDataTag);
  document_->AppendChild(root);
  for (const char* caption : {"nein", "sonst", "else", "*)"})
    EXPECT_TRUE(IsDefaultBranch(AddElement(root, "fall", caption))) << caption;
  const std::string header = std::string(1, FunctionHeaderMarker) + "nein";
  for (const std::string& caption : {std::string("Nein"), std::string("sonst "),
                                     std::string("*) echo x;;"), std::string("ja"),
                                     std::string(), header})
    EXPECT_FALSE(IsDefaultBranch(AddElement(root, "fall", caption))) << caption;
  EXPECT_FALSE(IsDefaultBranch(TDomNode()));
}

TEST_F(TreeTest, InvalidTagNameIsRefused) {
  for (const char* name : {"", "1fall", "fall x", "a<b"}) {
    try {
      document_->CreateElement(QString::fromLatin1(name));
      ADD_FAILURE() << "accepted " << name;
    } catch (const Exception& error) {
      EXPECT_STREQ(error.what(), "Invalid character error.");
    }
  }
}

TEST_F(TreeTest, DocumentTakesOneRootOnly) {
  TDomElement root = document_->CreateElement(kDataTag);
  document_->AppendChild(root);
  TDomElement second = document_->CreateElement(kDataTag);
  try {
    document_->AppendChild(second);
    ADD_FAILURE() << "second root accepted";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Hierarchy request error.");
  }
  EXPECT_THROW(AppendChild(document_->Node(), second), Exception);
  EXPECT_EQ(document_->DocumentElement(), root);
  EXPECT_EQ(root.parentNode(), document_->Node());
  EXPECT_EQ(document_->Node().nodeName(), "#document");
}

TEST_F(TreeTest, ChildrenWalkInOrder) {
  TDomElement root = document_->CreateElement(kDataTag);
  document_->AppendChild(root);
  for (const char* caption : {"a", "b", "c"}) AddElement(root, "anweisung", caption);
  std::string seen;
  for (const TDomNode& child : Children(root)) seen += GetCaption(child);
  EXPECT_EQ(seen, "abc");
  for (const TDomNode& child : Children(root.firstChild())) seen += GetCaption(child);
  EXPECT_EQ(seen, "abc");
}

TEST(FactoryTest, OwnsAndFreesDocuments) {
  TDomImplementation factory;
  TDomDocument* first = factory.CreateDocument();
  TDomDocument* second = factory.CreateDocument();
  EXPECT_EQ(factory.DocumentCount(), 2u);
  factory.FreeDocument(first);
  factory.FreeDocument(first);  // already freed: ignored
  factory.FreeDocument(nullptr);
  EXPECT_EQ(factory.DocumentCount(), 1u);
  second->AppendChild(second->CreateElement(kDataTag));
  // The factory frees `second` when it dies; LeakSanitizer checks.
}

TEST(FactoryTest, DeepTreesAreWrittenAndFreedWithoutRecursion) {
  TDomImplementation factory;
  TDomDocument* document = factory.CreateDocument();
  // Built from the leaf up, as a subtree is appended only once complete.
  TDomElement leaf = document->CreateElement("anweisung");
  TDomElement node = leaf;
  for (int depth = 0; depth < 300000; ++depth) {
    TDomElement parent = document->CreateElement("while");
    AppendChild(parent, node);
    node = parent;
  }
  TDomElement root = document->CreateElement(kDataTag);
  AppendChild(root, node);
  document->AppendChild(root);
  for (int width = 1; width <= 1000; ++width)
    document->SetAttribute(leaf, kBreiteAttribute, QString::number(width));
  EXPECT_EQ(GetBreite(leaf), 1000);
  EXPECT_EQ(leaf.attributes().count(), 1);
  leaf = node = root = TDomElement();
  factory.FreeDocument(document);
  EXPECT_EQ(factory.DocumentCount(), 0u);
}

}  // namespace
}  // namespace kova
