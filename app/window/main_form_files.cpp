// Script files: the file commands, the save question, the line-break
// selector and the window title that names the current file.
#include <QAction>
#include <QFileInfo>
#include <Qsci/qsciscintilla.h>

#include "app/platform/dialog_seam.h"
#include "app/editor/editor_bytes.h"
#include "app/window/main_form.h"
#include "app/storage/script_file.h"

namespace {

const QString kUnnamedTitle = QStringLiteral("KOVA - *unbenannt*");

// The filter entries whose choice switches Bash highlighting; the others
// leave it as it is.
struct HighlightingFilters {
  int bashScript;
  int textFile;
};

const std::vector<kova::FileFilter> kOpenFilters = {
    {QStringLiteral("Alle geeigneten Dateien(*.sh;*.txt)"), QStringLiteral("*.sh;*.txt")},
    {QStringLiteral("Bash-Skript (*.sh)"), QStringLiteral("*.sh")},
    {QStringLiteral("Textdatei (*.txt)"), QStringLiteral("*.txt")},
    {QStringLiteral("Alle Dateien (*.*)"), QStringLiteral("*.*")},
};
constexpr HighlightingFilters kOpenHighlighting{2, 3};

const std::vector<kova::FileFilter> kSaveFilters = {
    {QStringLiteral("Bash-Skript (*.sh)"), QStringLiteral("*.sh")},
    {QStringLiteral("Textdatei (*.txt)"), QStringLiteral("*.txt")},
    {QStringLiteral("Alle Dateien (*.*)"), QStringLiteral("*.*")},
};
constexpr HighlightingFilters kSaveHighlighting{1, 2};

}  // namespace

bool TMainForm::CanClear() {
  if (!fEditor->isModified()) return true;
  const QString subject =
      fFileName.isEmpty()
          ? QStringLiteral("Der Text in der unbenannten Datei wurde verändert.")
          : QStringLiteral("Der Text in der Datei \"%1\" wurde verändert.").arg(fFileName);
  const kova::MessageButton answer =
      kova::ShowMessage(kova::MessageKind::Warning, subject + QStringLiteral("\r\n\r\nÄnderungen speichern?"),
                        kova::MessageButton::Yes | kova::MessageButton::No | kova::MessageButton::Cancel);
  if (answer == kova::MessageButton::No) return true;
  if (answer != kova::MessageButton::Yes) return false;
  // The handler is called itself, not through the action's guard, so that a
  // failed write stops the asking command before the text is given up.
  SaveActionExecute();
  // A save-as dialog cancelled after "Ja" wrote nothing: keep the text.
  return !fEditor->isModified();
}

void TMainForm::NewActionExecute() {
  if (!CanClear()) return;
  kova::LoadEditorBytes(*fEditor, {});
  // The name goes before the run, so that an empty text never keeps the name
  // of a file that "Speichern" would then empty.
  setCurrentFileName(QString());
  fEditor->CheckStatus();
  RunActionExecute();
}

void TMainForm::OpenActionExecute() {
  if (!CanClear()) return;
  kova::FileDialogRequest request;
  request.mode = kova::FileDialogMode::Open;
  request.title = QStringLiteral("Öffnen...");
  request.filters = kOpenFilters;
  const std::optional<kova::FileChoice> choice = kova::AskFileName(request);
  if (!choice) return;
  const QString fileName = QFileInfo(choice->fileName).absoluteFilePath();
  // Read first: a file that cannot be read, or that the editor could not
  // hold, leaves text, name, title and highlighting as they were.
  const std::string bytes =
      kova::ReadScriptFile(fileName, kova::kEditorPositionLimit - 1, kova::EditorRefusal);
  setCurrentFileName(fileName);
  applyFilterHighlighting(choice->filterIndex, kOpenHighlighting.bashScript,
                          kOpenHighlighting.textFile);
  try {
    kova::LoadEditorBytes(*fEditor, bytes);
  } catch (...) {
    // The editor is left empty: under the file's name, "Speichern" would
    // empty the file.
    setCurrentFileName(QString());
    throw;
  }
  // The breaks are known before the run, whose drawing may fail, so that a
  // later save keeps them.
  checkLineBreakItem(kova::DetectLineBreakFormat(bytes));
  fEditor->CheckStatus();
  RunActionExecute();
}

void TMainForm::SaveActionExecute() {
  if (fFileName.isEmpty()) {
    SaveAsActionExecute();
    return;
  }
  SaveToFileWithLineBreaks(fFileName);
  fEditor->setModified(false);
  fEditor->CheckStatus();
}

void TMainForm::SaveAsActionExecute() {
  kova::FileDialogRequest request;
  request.mode = kova::FileDialogMode::Save;
  request.title = QStringLiteral("Speichern...");
  request.filters = kSaveFilters;
  request.defaultExtension = QStringLiteral("sh");
  request.overwritePrompt = true;
  const std::optional<kova::FileChoice> choice = kova::AskFileName(request);
  if (!choice) return;
  const QString fileName = QFileInfo(choice->fileName).absoluteFilePath();
  SaveToFileWithLineBreaks(fileName);
  fEditor->setModified(false);
  fEditor->CheckStatus();
  setCurrentFileName(fileName);
  applyFilterHighlighting(choice->filterIndex, kSaveHighlighting.bashScript,
                          kSaveHighlighting.textFile);
}

void TMainForm::CloseMenuClick() { close(); }

void TMainForm::SaveToFileWithLineBreaks(const QString& fileName) {
  kova::LineBreakFormat format = kova::LineBreakFormat::Windows;
  if (MacMenu->isChecked()) {
    format = kova::LineBreakFormat::Mac;
  } else if (UnixMenu->isChecked()) {
    format = kova::LineBreakFormat::Unix;
  }
  fEditor->TrimEditedLines();
  const std::string text = kova::EditorBytes(*fEditor);
  kova::WriteScriptFile(fileName, kova::ReplaceLineBreaks(text, kova::LineBreakBytes(format)));
}

void TMainForm::setCurrentFileName(const QString& fileName) {
  fFileName = fileName;
  setWindowTitle(fileName.isEmpty() ? kUnnamedTitle : QStringLiteral("KOVA - ") + fileName);
}

void TMainForm::applyFilterHighlighting(int chosenFilter, int bashScriptFilter, int textFileFilter) {
  if (chosenFilter == bashScriptFilter) SetBashHighlighting(true);
  if (chosenFilter == textFileFilter) SetBashHighlighting(false);
}

void TMainForm::checkLineBreakItem(kova::LineBreakFormat format) {
  QAction* const chosen = format == kova::LineBreakFormat::Unix  ? UnixMenu
                          : format == kova::LineBreakFormat::Mac ? MacMenu
                                                           : WindowsMenu;
  for (QAction* item : {WindowsMenu, UnixMenu, MacMenu}) item->setChecked(item == chosen);
}
