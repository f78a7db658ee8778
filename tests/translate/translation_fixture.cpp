#include "translate/translation_fixture.h"

#include <utility>

#include "translate/latin1.h"
#include "translate/tree.h"

namespace kova {
namespace {

void DumpNode(const TDomNode& node, int depth, std::string& out) {
  out.append(static_cast<size_t>(depth) * 2, ' ');
  out += ToLatin1(node.nodeName());
  if (node.toElement().hasAttribute(kCaptionAttribute)) {
    std::string caption = GetCaption(node);
    if (!caption.empty() && caption.front() == FunctionHeaderMarker) caption.replace(0, 1, "\\0");
    out += " \"" + caption + "\"";
  }
  if (const int32_t counter = GetIntAttribute(node, kElifCounterAttribute); counter != 0)
    out += " #" + std::to_string(counter);
  out += "\n";
  for (const TDomNode& child : Children(node)) DumpNode(child, depth + 1, out);
}

}  // namespace

std::string TranslationTest::Translate(const std::vector<std::string>& lines, bool take_comments) {
  functions_.clear();
  errors_.clear();
  Translator translator(factory_, take_comments,
                        [this](int index, const std::string& text, const std::string& message) {
                          errors_.push_back({index, text, message});
                        });
  return Dump(*translator.BuildDiagramTree(lines, functions_));
}

std::string TranslationTest::Function(size_t index) const {
  return index < functions_.size() ? Dump(*functions_[index]) : "no such function";
}

std::string TranslationTest::Dump(const TDomDocument& document) {
  std::string out;
  EXPECT_EQ(document.Node().childNodes().count(), 1);
  DumpNode(document.DocumentElement(), 0, out);
  return out;
}

}  // namespace kova
