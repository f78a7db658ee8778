// Deeply nested and hostile input translates and is freed without a crash.
#include "translate/translation_fixture.h"

#include "translate/tree.h"

namespace kova {
namespace {

using HostileInputTest = TranslationTest;

constexpr int kDepth = 100000;

// Follows first children from the root, counting the levels.
int DepthOfFirstChildren(const TDomDocument& document) {
  int depth = 0;
  for (TDomNode node = document.DocumentElement().firstChild(); !node.isNull(); node = node.firstChild())
    ++depth;
  return depth;
}

TEST_F(HostileInputTest, DeeplyNestedLoops) {
  const std::vector<std::string> lines(kDepth, "while true");
  Translator translator(factory_, false, ErrorReport());
  TDomDocument* document = translator.BuildDiagramTree(lines, functions_);
  EXPECT_EQ(DepthOfFirstChildren(*document), kDepth);
  factory_.FreeDocument(document);
  EXPECT_EQ(factory_.DocumentCount(), 0u);
}

TEST_F(HostileInputTest, DeeplyNestedSelectionsFreedWithTheFactory) {
  std::vector<std::string> lines(kDepth, "if x");
  lines.push_back("elif y");
  lines.push_back("fi");
  {
    TDomImplementation factory;
    TFunktionen functions;
    TDomDocument* document = Translator(factory, false, ErrorReport()).BuildDiagramTree(lines, functions);
    EXPECT_EQ(DepthOfFirstChildren(*document), 2 * kDepth);
  }
}

TEST_F(HostileInputTest, BinaryLinesBecomeStatements) {
  std::string binary;
  for (int byte = 0; byte < 256; ++byte) binary += static_cast<char>(byte);
  const std::string long_line(1 << 20, 'x');
  Translate({binary, long_line, std::string("a\0b", 3)});
  EXPECT_TRUE(errors_.empty());
  Translator translator(factory_, false, ErrorReport());
  TFunktionen functions;
  const TDomNode root = translator.BuildDiagramTree({binary, long_line}, functions)->DocumentElement();
  EXPECT_EQ(GetCaption(root.firstChild()), binary.substr(33, 256 - 33));
  EXPECT_EQ(GetCaption(root.lastChild()), long_line);
}

}  // namespace
}  // namespace kova
