// Searching and replacing in the editor: the search and replace dialogs and
// searching again with the stored state.
#include <QLabel>
#include <Qsci/qscilexerbash.h>
#include <Qsci/qsciscintilla.h>
#include <memory>

#include "app/editor/editor_search.h"
#include "app/window/main_form.h"
#include "app/dialogs/modal_dialog.h"
#include "app/editor/search_state.h"
#include "app/platform/system_beep.h"
#include "app/dialogs/text_replace_form.h"
#include "app/editor/text_search_engine.h"

void TMainForm::createSearchEngines() {
  fSearch = new kova::PlainTextSearch(this);
  fRegexSearch = new kova::RegexTextSearch(this);
}

void TMainForm::SearchActionExecute() { ShowSearchReplaceDialog(false); }

void TMainForm::ReplaceActionExecute() { ShowSearchReplaceDialog(true); }

void TMainForm::NextSearchActionExecute() { DoSearchReplaceText(false, false); }

void TMainForm::PrevSearchActionExecute() { DoSearchReplaceText(false, true); }

void TMainForm::ShowSearchReplaceDialog(bool replace) {
  StatusPanels[3]->clear();
  auto* replaceForm = replace ? new TTextReplaceForm(this) : nullptr;
  const std::unique_ptr<TTextSearchForm> form(replaceForm ? replaceForm
                                                          : new TTextSearchForm(this));
  form->SetSearchBackwards(gbSearchBackwards);
  form->SetSearchCaseSensitive(gbSearchCaseSensitive);
  form->SetSearchFromCursor(gbSearchFromCaret);
  form->SetSearchInSelectionOnly(gbSearchSelectionOnly);
  form->SetSearchRegularExpression(gbSearchRegex);
  form->SetSearchText(gsSearchText);
  if (gbSearchTextAtCaret)
    form->SetSearchText(kova::TextAtCaret(*fEditor, fEditor->lexer() == fShellHighlighter));
  form->SetSearchTextHistory(gsSearchTextHistory);
  if (replaceForm) {
    replaceForm->SetReplaceText(gsReplaceText);
    replaceForm->SetReplaceTextHistory(gsReplaceTextHistory);
  }
  form->SetSearchWholeWords(gbSearchWholeWords);
  if (kova::RunModal(*form) != QDialog::Accepted) return;
  gbSearchBackwards = form->SearchBackwards();
  gbSearchCaseSensitive = form->SearchCaseSensitive();
  gbSearchFromCaret = form->SearchFromCursor();
  gbSearchSelectionOnly = form->SearchInSelectionOnly();
  gbSearchWholeWords = form->SearchWholeWords();
  gbSearchRegex = form->SearchRegularExpression();
  gsSearchText = form->SearchText();
  gsSearchTextHistory = form->SearchTextHistory();
  if (replaceForm) {
    gsReplaceText = replaceForm->ReplaceText();
    gsReplaceTextHistory = replaceForm->ReplaceTextHistory();
  }
  fSearchFromCaret = gbSearchFromCaret;
  if (gsSearchText.isEmpty()) return;
  DoSearchReplaceText(replace, gbSearchBackwards);
  fSearchFromCaret = true;
}

void TMainForm::DoSearchReplaceText(bool replace, bool backwards) {
  StatusPanels[3]->clear();
  const kova::SearchOptions options{.replaceAll = replace,
                                    .backwards = backwards,
                                    .matchCase = gbSearchCaseSensitive,
                                    .entireScope = !fSearchFromCaret,
                                    .selectedOnly = gbSearchSelectionOnly,
                                    .wholeWord = gbSearchWholeWords};
  kova::TextSearchEngine& engine = gbSearchRegex ? *fRegexSearch : *fSearch;
  if (kova::SearchReplace(*fEditor, engine, gsSearchText, gsReplaceText, options) > 0) return;
  kova::MessageBeep(kova::BeepSound::Information);
  StatusPanels[3]->setText(QStringLiteral("Text nicht gefunden"));
  kova::CollapseSelection(*fEditor, backwards);
}
