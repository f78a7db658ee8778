#ifndef KOVA_TRANSLATE_TRANSLATOR_H_
#define KOVA_TRANSLATE_TRANSLATOR_H_

// Turns the lines of a script into diagram trees: one document for the main
// program and one for each function opened at its top level.
//
// Every line is trimmed of characters up to 32 at both ends and handled by
// the first rule it meets: lines between the branches of a case open
// branches; keyword lines (see translate/keys.h) open and close selections
// and loops, make breaks, ends, calls and functions; every other non-empty
// line is a statement, comment lines ("#...") only with the comments option.
// A closing line without its opening, an alternative after "else" and a
// function inside a structure are errors: the first stops the translation,
// is reported once, and what was built before that line is kept. Structures
// left open at the end are kept as they are, without a report.
//
// Text is ISO-8859-1 throughout, like the editor's lines.

#include <functional>
#include <string>
#include <vector>

#include "translate/dom.h"

namespace kova {

// The function documents of one translation, in script order.
using TFunktionen = std::vector<TDomDocument*>;

// Receives a translation error: the index of the line (from 0), the line as
// trimmed, and the German message.
using ErrorReport =
    std::function<void(int line_index, const std::string& line_text, const std::string& message)>;

class Translator {
 public:
  // The factory owns every document made; take_comments turns comment lines
  // into statements ("Kommentare übernehmen"); report may be empty.
  // bytes_per_function is what the caller will spend on each function's
  // diagram besides its tree; it counts with the trees, so that a script
  // with more functions than the run has room for is refused before any
  // document is made.
  Translator(TDomImplementation& factory, bool take_comments, ErrorReport report,
             long long bytes_per_function = 0);

  // Translates `lines`, appends one document per function to `functions`
  // and returns the main document. Each document belongs to the factory;
  // the caller frees it. Errors of the script go to the report; raises an
  // Exception naming the size, and makes no document, only when the trees
  // would not fit into the run's memory budget (translate/memory_budget.h),
  // estimated from the lines before translating and checked as they grow.
  TDomDocument* BuildDiagramTree(const std::vector<std::string>& lines,
                                 TFunktionen& functions) const;

 private:
  TDomImplementation& factory_;
  bool take_comments_;
  ErrorReport report_;
  long long bytes_per_function_;
};

}  // namespace kova

#endif  // KOVA_TRANSLATE_TRANSLATOR_H_
