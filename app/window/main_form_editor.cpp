// The editor pane: the editor's configuration, the status bar that follows
// it, and the editing commands.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStringList>
#include <Qsci/qscilexerbash.h>

#include <algorithm>

#include "app/platform/error_handler.h"
#include "app/window/main_form.h"

namespace {

enum StatusPanel { kCaretPanel, kInsertModePanel, kModifiedPanel, kSearchPanel };

struct PanelLayout {
  int width;
  Qt::Alignment alignment;
};

// The least widths; the first three panels widen to hold their widest text.
// The fourth panel reaches to the bar's right edge.
constexpr PanelLayout kPanelLayouts[] = {
    {75, Qt::AlignCenter}, {75, Qt::AlignLeft}, {75, Qt::AlignLeft}, {50, Qt::AlignLeft}};

QString CaretText(int line, int column) { return QString::asprintf("%6d:%3d", line, column); }

QString InsertModeText(bool insertMode) {
  return insertMode ? QStringLiteral("Einfügen") : QStringLiteral("Überschreiben");
}

QString ModifiedText(bool modified) { return modified ? QStringLiteral("Geändert") : QString(); }

// The texts a panel shows in daily use; the search message panel has room
// to spare.
QStringList EverydayTexts(int panel) {
  switch (panel) {
    case kCaretPanel:
      return {CaretText(999999, 999)};
    case kInsertModePanel:
      return {InsertModeText(true), InsertModeText(false)};
    case kModifiedPanel:
      return {ModifiedText(true)};
    default:
      return {};
  }
}

// Every key a menu item shows, submenus included.
void CollectMenuKeys(const QMenu* menu, QList<QKeySequence>& keys) {
  for (const QAction* item : menu->actions()) {
    if (item->menu() != nullptr) {
      CollectMenuKeys(item->menu(), keys);
    } else if (!item->shortcut().isEmpty()) {
      keys << item->shortcut();
    }
  }
}

// The width the panel needs to show each of the texts whole.
int WidthHolding(QLabel& panel, const QStringList& texts) {
  const QString shown = panel.text();
  int width = 0;
  for (const QString& text : texts) {
    panel.setText(text);
    width = std::max(width, panel.sizeHint().width());
  }
  panel.setText(shown);
  return width;
}

}  // namespace

void TMainForm::configureEditor() {
  fEditor->Configure();
  // A key the menus show does what they say, also while the editor has the
  // focus.
  QList<QKeySequence> menuKeys;
  for (const QMenu* menu : {FileMenu, KovaMenu, EditMenu, HelpMenu}) CollectMenuKeys(menu, menuKeys);
  fEditor->YieldKeys(menuKeys);
}

void TMainForm::attachEditorStatus() {
  for (int panel = kCaretPanel; panel <= kSearchPanel; ++panel) {
    QLabel* label = StatusPanels[panel];
    // A sunken frame sets each panel off from its neighbours.
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(0);
    label->setMargin(2);
    label->setAlignment(kPanelLayouts[panel].alignment | Qt::AlignVCenter);
    // A panel keeps its width while its text changes, so that the panels
    // right of it stay in place; a caret beyond line 999999 widens the
    // first one rather than being cut off.
    label->setMinimumWidth(std::max(kPanelLayouts[panel].width, WidthHolding(*label, EverydayTexts(panel))));
    if (panel != kSearchPanel) label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
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
    StatusPanels[kCaretPanel]->setText(CaretText(fEditor->CaretY(), fEditor->CaretX()));
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
