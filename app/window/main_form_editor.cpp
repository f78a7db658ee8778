// The editor pane: the editor's configuration, the status bar that follows
// it, and the editing commands.
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <Qsci/qscilexerbash.h>

#include "app/platform/error_handler.h"
#include "app/window/main_form.h"

namespace {

enum StatusPanel { kCaretPanel, kInsertModePanel, kModifiedPanel, kSearchPanel };

struct PanelLayout {
  int width;
  Qt::Alignment alignment;
};

// The fourth panel reaches to the bar's right edge; a text wider than its
// panel widens the panel rather than being cut off.
constexpr PanelLayout kPanelLayouts[] = {
    {75, Qt::AlignCenter}, {75, Qt::AlignLeft}, {75, Qt::AlignLeft}, {50, Qt::AlignLeft}};

QString InsertModeText(bool insertMode) {
  return insertMode ? QStringLiteral("Einfügen") : QStringLiteral("Überschreiben");
}

QString ModifiedText(bool modified) { return modified ? QStringLiteral("Geändert") : QString(); }

}  // namespace

void TMainForm::configureEditor() { fEditor->Configure(); }

void TMainForm::attachEditorStatus() {
  for (int panel = kCaretPanel; panel <= kSearchPanel; ++panel) {
    QLabel* label = StatusPanels[panel];
    label->setMinimumWidth(kPanelLayouts[panel].width);
    label->setAlignment(kPanelLayouts[panel].alignment | Qt::AlignVCenter);
  }
  QLabel* last = StatusPanels[kSearchPanel];
  StatusBar->removeWidget(last);
  StatusBar->addWidget(last, 1);
  last->show();

  connect(fEditor, &kova::ScriptEditor::StatusChanged, this, [this](kova::EditorStatusChanges changes) {
    kova::RunGuarded([&] { EditorStatusChange(changes); });
  });
  EditorStatusChange(kova::scAll);
}

void TMainForm::EditorStatusChange(kova::EditorStatusChanges changes) {
  using namespace kova;
  if (changes & (scAll | scCaretX | scCaretY)) {
    StatusPanels[kCaretPanel]->setText(
        QString::asprintf("%6d:%3d", fEditor->CaretY(), fEditor->CaretX()));
  }
  if (changes & (scAll | scInsertMode | scReadOnly)) {
    StatusPanels[kInsertModePanel]->setText(InsertModeText(fEditor->InsertMode()));
  }
  if (changes & (scAll | scModified)) {
    const bool editable = !fEditor->isReadOnly();
    RedoAction->setEnabled(editable && fEditor->isRedoAvailable());
    UndoAction->setEnabled(editable && fEditor->isUndoAvailable());
    StatusPanels[kModifiedPanel]->setText(ModifiedText(fEditor->isModified()));
  }
}

void TMainForm::UndoActionExecute() { fEditor->undo(); }
void TMainForm::RedoActionExecute() { fEditor->redo(); }
void TMainForm::CutActionExecute() { fEditor->cut(); }
void TMainForm::CopyActionExecute() { fEditor->copy(); }
void TMainForm::PasteActionExecute() { fEditor->paste(); }

void TMainForm::WordWrapActionExecute() { SetWordWrap(WordWrapAction->isChecked()); }

void TMainForm::SetWordWrap(bool on) {
  WordWrapAction->setChecked(on);
  fEditor->setWrapMode(on ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
}

void TMainForm::BashSyntaxActionExecute() { SetBashHighlighting(BashSyntaxAction->isChecked()); }

void TMainForm::SetBashHighlighting(bool on) {
  BashSyntaxAction->setChecked(on);
  fEditor->SetHighlighter(on ? fShellHighlighter : nullptr);
}
