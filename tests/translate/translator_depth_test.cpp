// Deeply nested and hostile input translates and is freed without a crash.
#include "translate/translation_fixture.h"

#include <limits>

#include "translate/exception.h"
#include "translate/memory_budget.h"
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

// Refused before the lines are translated when their estimate is too large,
// and while translating when the elements they make are: either way the
// message names the size, nothing is reported as an error of the script and
// no document is left behind.
TEST_F(HostileInputTest, TreesBeyondTheMemoryBudgetAreRefused) {
  const MemoryBudget budget(TreeBytes({.elements = 150, .caption_bytes = 1000, .longest_caption = 10}));
  std::vector<std::string> statements(200, "echo a");
  // Fits the estimate of one element a line, but "if" makes two elements
  // and each "elif" three.
  std::vector<std::string> chain(100, "elif b");
  chain.front() = "if a";
  for (const std::vector<std::string>* lines : {&statements, &chain}) {
    Translator translator(factory_, false, [this](int line, const std::string& text, const std::string& message) {
      errors_.push_back({line, text, message});
    });
    try {
      translator.BuildDiagramTree(*lines, functions_);
      ADD_FAILURE() << "translated";
    } catch (const Exception& error) {
      const std::string message = error.what();
      const size_t size = message.find("aus ");
      ASSERT_NE(size, std::string::npos) << message;
      const long elements = std::stol(message.substr(size + 4));
      if (lines == &statements)
        EXPECT_EQ(elements, 200);
      else
        EXPECT_GT(elements, 150);
      EXPECT_NE(message.find(" MB"), std::string::npos) << message;
    }
  }
  EXPECT_TRUE(errors_.empty());
  EXPECT_TRUE(functions_.empty());
  EXPECT_EQ(factory_.DocumentCount(), 0u);
  // What fits is translated as ever.
  EXPECT_EQ(Translate({"echo a"}), "data\n  anweisung \"echo a\"\n");
}

// What the caller spends on each function's diagram counts with the trees.
// Where it takes the larger part, the refusal names the functions counted so
// far as the cause, at least that many while lines follow; a script whose
// tree is the larger part is refused for its size as before, and functions
// that fit are translated. Where not even one function's diagram fits, no
// number of functions is the cause: the script is translated and its
// pictures are refused for their size when drawn.
TEST_F(HostileInputTest, FunctionsBeyondTheMemoryBudgetAreRefusedByTheirNumber) {
  constexpr long long kDiagramBytes = 10 * kBytesPerElement;
  const MemoryBudget budget(TreeBytes({.elements = 100}));
  const auto build = [this](const std::vector<std::string>& lines, long long diagram_bytes) -> std::string {
    try {
      TDomDocument* document = Translator(factory_, false, ErrorReport(), diagram_bytes)
                                   .BuildDiagramTree(lines, functions_);
      factory_.FreeDocument(document);
      for (TDomDocument* function : functions_) factory_.FreeDocument(function);
      functions_.clear();
      return "";
    } catch (const Exception& error) {
      return error.what();
    }
  };
  std::vector<std::string> functions;
  for (int i = 0; i < 20; ++i) functions.insert(functions.end(), {"function f", "echo a", "}"});
  const std::string refused = build(functions, kDiagramBytes);
  // Each function is three elements and ten more for its diagram: the
  // eighth no longer fits beside the main program's root.
  EXPECT_NE(refused.find("zu viele Funktionen"), std::string::npos) << refused;
  EXPECT_NE(refused.find("von mindestens 8 Funktionen"), std::string::npos) << refused;
  EXPECT_EQ(factory_.DocumentCount(), 0u);
  EXPECT_NE(build(std::vector<std::string>(150, "echo a"), kDiagramBytes).find("aus 150 Elementen"),
            std::string::npos);
  functions.resize(7 * 3 + 1);
  const std::string refusedAtTheEnd = build(functions, kDiagramBytes);
  EXPECT_NE(refusedAtTheEnd.find("von 8 Funktionen"), std::string::npos) << refusedAtTheEnd;
  functions.resize(6 * 3);
  EXPECT_EQ(build(functions, kDiagramBytes), "");
  EXPECT_EQ(build(functions, budget.Left() + 1), "");
  EXPECT_EQ(build(functions, std::numeric_limits<long long>::max() / 2), "");
  EXPECT_EQ(factory_.DocumentCount(), 0u);
}

}  // namespace
}  // namespace kova
