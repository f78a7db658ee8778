#include "translate/translator.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>
#include <utility>

#include "translate/draft_tree.h"
#include "translate/exception.h"
#include "translate/keys.h"
#include "translate/memory_budget.h"
#include "translate/tree.h"

namespace kova {
namespace {

constexpr std::string_view kYes = "ja";
constexpr std::string_view kNo = "nein";

std::string MissingOpeningMessage(std::string_view what, KeyGroup closing, KeyGroup opening) {
  return std::string(what) + FormatKeyList(closing) + " ohne Einleitung " + FormatKeyList(opening) +
         ".";
}

Exception ElifWithoutIf() {
  return Exception(MissingOpeningMessage("Alternative Verzweigung der Auswahl ",
                                         KeyTable.ElifKeys, KeyTable.IfKeys));
}

Exception ElseWithoutIf() {
  return Exception(MissingOpeningMessage("Alternative Verzweigung der Auswahl ",
                                         KeyTable.ElseKeys, KeyTable.IfKeys));
}

Exception FiWithoutIf() {
  return Exception(MissingOpeningMessage("Ende der Auswahl ", KeyTable.FiKeys, KeyTable.IfKeys));
}

Exception DoneWithoutWhile() {
  return Exception(MissingOpeningMessage("Ende der kopfgesteuerten Schleife ", KeyTable.DoneKeys,
                                         KeyTable.WhileKeys));
}

// "fussgesteurten" is how users have always seen this message.
Exception UntilWithoutRepeat() {
  return Exception(MissingOpeningMessage("Ende der fussgesteurten Schleife ", KeyTable.UntilKeys,
                                         KeyTable.RepeatKeys));
}

Exception FunctionInsideStructure() {
  return Exception("Einleitung einer Schleife" + FormatKeyList(KeyTable.FunctionKeys) +
                   "innerhalb einer Kontrollstruktur.");
}

std::string_view Trim(std::string_view line) {
  const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && is_blank(line.back())) line.remove_suffix(1);
  return line;
}

// The state of one translation: a draft per document, the draft new
// elements go to and the current element in it. The documents are made
// only when the drafts are done, so that a translation refused for its size
// leaves none behind.
class Translation {
 public:
  Translation(TDomImplementation& factory, bool take_comments, TFunktionen& functions,
              long long bytes_per_function)
      : factory_(factory),
        take_comments_(take_comments),
        functions_(functions),
        bytes_per_function_(bytes_per_function) {
    drafts_.emplace_back(&size_);
  }

  // Applies the first rule whose test holds. Each rule checks before it
  // changes anything, so a line that raises leaves no trace.
  void HandleLine(std::string_view line) {
    if (Tree().Kind(cur_) == kAuswahl) return HandleBetweenBranches(line);
    if (MatchesKey(KeyTable.IfKeys, line)) return OpenIf(line);
    if (MatchesKey(KeyTable.ElifKeys, line)) return AddElif(line);
    if (MatchesKey(KeyTable.ElseKeys, line)) return AddElse();
    if (MatchesKey(KeyTable.FiKeys, line)) return CloseIf();
    if (MatchesKey(KeyTable.CaseKeys, line)) return Open(kAuswahl, line);
    if (MatchesKey(KeyTable.WhileKeys, line)) return Open(kWhile, line);
    if (MatchesKey(KeyTable.DoneKeys, line)) return CloseWhile();
    if (MatchesKey(KeyTable.RepeatKeys, line)) return OpenRepeat();
    if (MatchesKey(KeyTable.UntilKeys, line)) return CloseRepeat(line);
    if (MatchesKey(KeyTable.CaseEndKeys, line)) return EndBranch();
    if (MatchesKey(KeyTable.BreakKeys, line)) return Add(kAussprung, line);
    if (MatchesKey(KeyTable.ExitKeys, line)) return Add(kEnde, line);
    if (MatchesKey(KeyTable.CallKeys, line)) return Add(kAufruf, line);
    // "funktion ende" also begins with "funktion" and a blank; testing the
    // end first lets it close a function as its keyword says.
    if (MatchesKey(KeyTable.FunctionEndKeys, line)) return EndFunction();
    if (MatchesKey(KeyTable.FunctionKeys, line)) return OpenFunction(line);
    if (line.empty() || (line.front() == '#' && !take_comments_)) return;
    Add(kAnweisung, line);
  }

  // Raises an Exception when the drafts have grown past the memory budget;
  // kSoFar while lines with further functions may follow.
  void CheckSize(FunctionCount counted = FunctionCount::kAll) const {
    CheckTreeSize(size_, bytes_per_function_, counted);
  }

  // Makes a document from each draft, the functions' appended to the list;
  // returns the main document.
  TDomDocument* Finish() {
    // The drafts are checked once more as a whole, and their trees counted
    // as spent, before Qt's elements take the memory.
    CheckSize();
    MemoryBudget::Spend(TreeBytes(size_));
    std::vector<TDomDocument*> documents;
    try {
      for (const DraftTree& tree : drafts_) {
        documents.push_back(factory_.CreateDocument());
        tree.CopyInto(*documents.back());
      }
    } catch (...) {
      for (TDomDocument* document : documents) factory_.FreeDocument(document);
      throw;
    }
    functions_.insert(functions_.end(), documents.begin() + 1, documents.end());
    return documents.front();
  }

 private:
  DraftTree& Tree() { return drafts_[cur_draft_]; }

  void Add(uint8_t kind, std::string_view caption) { Tree().Add(cur_, kind, caption); }
  void Open(uint8_t kind, std::string_view caption) { cur_ = Tree().Add(cur_, kind, caption); }
  bool InYesBranch() { return Tree().Kind(cur_) == kFall && Tree().Caption(cur_) == kYes; }

  // Between the branches of a case every non-empty line opens a branch,
  // whatever it holds, until the closing line.
  void HandleBetweenBranches(std::string_view line) {
    if (MatchesKey(KeyTable.EsacKeys, line))
      cur_ = Tree().Parent(cur_);
    else if (!line.empty())
      Open(kFall, line);
  }

  void OpenIf(std::string_view line) {
    Open(kAuswahl, line);
    Open(kFall, kYes);
  }

  // An elif nests a new selection into the "nein" branch of the current
  // one and counts the depth of the chain, so that fi can climb out of it.
  void AddElif(std::string_view line) {
    if (!InYesBranch()) throw ElifWithoutIf();
    const DraftTree::Index selection = Tree().Parent(cur_);
    const int32_t depth = Tree().ElifCounter(selection);
    cur_ = Tree().Add(selection, kFall, kNo);
    Open(kAuswahl, line);
    Tree().SetElifCounter(cur_, depth + 1);
    Open(kFall, kYes);
  }

  void AddElse() {
    if (!InYesBranch()) throw ElseWithoutIf();
    cur_ = Tree().Add(Tree().Parent(cur_), kFall, kNo);
  }

  void CloseIf() {
    if (Tree().Kind(cur_) != kFall) throw FiWithoutIf();
    const DraftTree::Index selection = Tree().Parent(cur_);
    if (Tree().FindChild(selection, kNo) < 0) Tree().Add(selection, kFall, kNo);
    cur_ = Tree().Parent(selection);
    for (int32_t level = Tree().ElifCounter(selection); level > 0; --level)
      cur_ = Tree().Parent(Tree().Parent(cur_));
  }

  void CloseWhile() {
    if (Tree().Kind(cur_) != kWhile) throw DoneWithoutWhile();
    cur_ = Tree().Parent(cur_);
  }

  void OpenRepeat() { cur_ = Tree().AddWithoutCaption(cur_, kUntil); }

  void CloseRepeat(std::string_view line) {
    if (Tree().Kind(cur_) != kUntil) throw UntilWithoutRepeat();
    Tree().SetCaption(cur_, line);
    cur_ = Tree().Parent(cur_);
  }

  void EndBranch() {
    if (Tree().Kind(cur_) == kFall) cur_ = Tree().Parent(cur_);
  }

  void OpenFunction(std::string_view line) {
    if (cur_draft_ != 0 || cur_ != DraftTree::kRoot) throw FunctionInsideStructure();
    drafts_.emplace_back(&size_);
    ++size_.functions;
    cur_draft_ = drafts_.size() - 1;
    cur_ = DraftTree::kRoot;
    Add(kAufruf, std::string(1, FunctionHeaderMarker) + std::string(line));
  }

  // Whatever is still open stays open; the main program goes on.
  void EndFunction() {
    cur_draft_ = 0;
    cur_ = DraftTree::kRoot;
  }

  TDomImplementation& factory_;
  const bool take_comments_;
  TFunktionen& functions_;
  const long long bytes_per_function_;
  TreeSize size_;
  std::vector<DraftTree> drafts_;
  size_t cur_draft_ = 0;
  DraftTree::Index cur_ = DraftTree::kRoot;
};

// The tree that the lines make, roughly: nearly every non-empty line makes
// one element with the line as its caption.
TreeSize EstimatedTree(const std::vector<std::string>& lines) {
  TreeSize estimate;
  for (const std::string& line : lines) {
    const auto length = static_cast<int64_t>(Trim(line).size());
    if (length == 0) continue;
    ++estimate.elements;
    estimate.caption_bytes += length;
    estimate.longest_caption = std::max(estimate.longest_caption, length);
  }
  return estimate;
}

}  // namespace

Translator::Translator(TDomImplementation& factory, bool take_comments, ErrorReport report,
                       long long bytes_per_function)
    : factory_(factory),
      take_comments_(take_comments),
      report_(std::move(report)),
      bytes_per_function_(bytes_per_function) {}

TDomDocument* Translator::BuildDiagramTree(const std::vector<std::string>& lines,
                                           TFunktionen& functions) const {
  Translation translation(factory_, take_comments_, functions, bytes_per_function_);
  struct Failure {
    int line_index;
    std::string line_text;
    std::string message;
  };
  CheckTreeSize(EstimatedTree(lines));
  std::optional<Failure> failure;
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::string_view line = Trim(lines[index]);
    try {
      translation.HandleLine(line);
    } catch (const std::exception& error) {
      failure = Failure{static_cast<int>(index), std::string(line), error.what()};
      break;
    }
    // Outside the handler: running out of memory is no error of the script.
    translation.CheckSize(index + 1 < lines.size() ? FunctionCount::kSoFar : FunctionCount::kAll);
  }
  TDomDocument* main_document = translation.Finish();
  // Reported once the documents hold what was translated, so that the
  // report may already look at them.
  if (failure && report_) report_(failure->line_index, failure->line_text, failure->message);
  return main_document;
}

}  // namespace kova
