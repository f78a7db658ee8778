// The commands that open the settings, keys and info dialogs.
#include <QAction>
#include <QCheckBox>
#include <QPixmap>
#include <algorithm>
#include <optional>

#include "app/dialogs/about_form.h"
#include "app/dialogs/keys_form.h"
#include "app/window/main_form.h"
#include "app/window/diagram_image.h"
#include "app/dialogs/labeled_edit.h"
#include "app/dialogs/modal_dialog.h"
#include "app/editor/search_state.h"
#include "app/dialogs/settings_form.h"
#include "app/dialogs/str_to_int.h"
#include "render/diagram_metrics.h"
#include "translate/keys.h"

namespace {

// The six numeric metrics in the order the dialog fills and applies them.
std::array<int*, 6> NumericMetrics(kova::DiagramMetrics& metrics) {
  return {&metrics.AnweisungsHoehe, &metrics.SchleifenBreite, &metrics.AufrufBreite,
          &metrics.LeerAbstand,     &metrics.NullBreite,      &metrics.Abstand};
}

// One row of the keys dialog: the kind of line and the keywords that make it.
struct KeyRow {
  const char* element;
  std::optional<kova::KeyGroup> keys;
};

// The rows in the order a script meets them, which is not the order of the
// table: a branch of a case ends before the case itself does.
std::array<KeyRow, 15> KeyRows() {
  const kova::TKeys& table = kova::KeyTable;
  return {{
      {"Einleitung einer Auswahl mit Bedingung", table.IfKeys},
      {"Alternative Bedingung einer Auswahl", table.ElifKeys},
      {"Bedingungslose Alternative einer Auswahl", table.ElseKeys},
      {"Ende einer Auswahl", table.FiKeys},
      {"Einleitung einer mehrfachen Auswahl", table.CaseKeys},
      {"Ende eines Falles einer merhrfachen Auswahl", table.CaseEndKeys},
      {"(ein neuer Fall beginnt nun ohne Schlüssel)", std::nullopt},
      {"Ende einer mehrfachen Auswahl", table.EsacKeys},
      {"Einleitung einer kopfgesteuerten Schleife", table.WhileKeys},
      {"Ende einer kopfegsteuerten Schleife", table.DoneKeys},
      {"Einleitung einer fussgesteuerten Schleife", table.RepeatKeys},
      {"Ende einer fussgesteuerten Schleife", table.UntilKeys},
      {"Aussprung aus der aktuellen Schleife", table.BreakKeys},
      {"Ende des Programmes bzw. Unterprogrammes", table.ExitKeys},
      {"Aufruf eines Unterprogrammes", table.CallKeys},
  }};
}

}  // namespace

void TMainForm::SettingsActionExecute() {
  TSettingsForm form(this);
  form.SearchTextAtCaretChkBox->setChecked(gbSearchTextAtCaret);
  form.SetEditFont(EditorFont());
  kova::DiagramMetrics& metrics = kova::ProcessDiagramMetrics();
  const std::array<int*, 6> numericMetrics = NumericMetrics(metrics);
  for (int i = 0; i < 6; ++i) form.MetricEdit(i)->setText(QString::number(*numericMetrics[i]));
  form.SetNSDFont(fImages[0]->BitmapCanvas().Font());
  form.SetAusrichtungIndex(metrics.Ausrichtung);
  form.TabWidthEdit->setText(QString::number(fEditor->tabWidth()));
  form.WordWrapChkBox->setChecked(fEditor->wrapMode() != QsciScintilla::WrapNone);
  form.BashSyntaxChkBox->setChecked(BashSyntaxAction->isChecked());
  form.KommentareChkBox->setChecked(CommentsAction->isChecked());
  if (kova::RunModal(form) != QDialog::Accepted) return;

  gbSearchTextAtCaret = form.SearchTextAtCaretChkBox->isChecked();
  SetEditorFont(form.EditFont());
  for (kova::DiagramImage* image : fImages)
    if (image) image->BitmapCanvas().SetFont(form.NSDFont());
  // Each metric is stored as soon as it is converted, so a field that is no
  // number leaves the ones before it applied.
  for (int i = 0; i < 6; ++i) *numericMetrics[i] = kova::StrToInt(form.MetricEdit(i)->text());
  metrics.Ausrichtung = static_cast<unsigned char>(form.AusrichtungIndex());
  SetWordWrap(form.WordWrapChkBox->isChecked());
  // The editor keeps its tab width within 1 to 256 blanks.
  fEditor->setTabWidth(std::clamp(kova::StrToInt(form.TabWidthEdit->text()), 1, 256));
  if (form.BashSyntaxChkBox->isChecked() != BashSyntaxAction->isChecked())
    BashSyntaxAction->trigger();
  CommentsAction->setChecked(form.KommentareChkBox->isChecked());
  RunAction->trigger();
}

void TMainForm::KeysActionExecute() {
  TKeysForm form(this);
  for (const KeyRow& row : KeyRows()) {
    QString text = QString::fromUtf8(row.element) + '=';
    if (row.keys) {
      const std::string keys = kova::FormatKeyList(*row.keys);
      text += QString::fromLatin1(keys.data(), static_cast<qsizetype>(keys.size()));
    }
    form.AddString(text);
  }
  kova::RunModal(form);
}

void TMainForm::InfoActionExecute() {
  ShowAboutBox(QString::fromUtf8(InfoText), QPixmap(), this);
}
