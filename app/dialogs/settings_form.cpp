#include "app/dialogs/settings_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

#include "app/platform/dialog_seam.h"
#include "app/dialogs/form_setup.h"
#include "app/dialogs/group_box.h"
#include "app/dialogs/labeled_edit.h"
#include "app/dialogs/str_to_int.h"
#include "app/platform/system_beep.h"

using kova::LabeledEdit;

namespace {

const char* const kFontSample =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvxyz0123456789";

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* text,
                        const QRect& geometry) {
  auto* box = new QCheckBox(QString::fromUtf8(text), parent);
  box->setObjectName(QLatin1String(name));
  box->setGeometry(geometry);
  return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text,
                        const QRect& geometry) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  return button;
}

// A "Schriftart" group: the sample text in the font it holds, on white, and
// the button that changes the font.
QGroupBox* MakeFontGroup(QWidget* parent, const char* name, int top,
                         const char* labelName, QLabel*& label,
                         const char* buttonName, QPushButton*& button) {
  QGroupBox* group =
      kova::MakeGroupBox(parent, name, QStringLiteral("Schriftart"), QRect(3, top, 270, 103));
  label = new QLabel(QLatin1String(kFontSample), group);
  label->setObjectName(QLatin1String(labelName));
  label->setGeometry(12, 16, 245, 49);
  label->setAutoFillBackground(true);
  QPalette white = label->palette();
  white.setColor(QPalette::Window, Qt::white);
  label->setPalette(white);
  button = MakeButton(group, buttonName, "Schriftart ändern...", QRect(12, 71, 133, 25));
  kova::FitChildrenIntoGroup(*group);
  return group;
}

}  // namespace

kova::DiagramFont kova::WithQFont(const DiagramFont& before, const QFont& chosen) {
  DiagramFont font = before;
  font.name = chosen.family();
  font.size = chosen.pointSize() > 0 ? chosen.pointSize()
                                     : std::max(1, (chosen.pixelSize() * 72 + 48) / 96);
  font.bold = chosen.bold();
  font.italic = chosen.italic();
  font.underline = chosen.underline();
  font.strikeOut = chosen.strikeOut();
  return font;
}

namespace {

// Keys that steer the dialog rather than type into the edit.
bool IsDialogKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
         key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete;
}

}  // namespace

TSettingsForm::TSettingsForm(QWidget* owner) : QDialog(owner) {
  kova::SetUpForm(*this, "SettingsForm", QStringLiteral("Einstellungen..."), "Tahoma");
  setFixedSize(519, 357);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(0, 0, 519, 357 - 37);
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 357 - 37, 519, 37);

  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, QStringLiteral("Editor"));
  SearchTextAtCaretChkBox = MakeCheckBox(TabSheet1, "SearchTextAtCaretChkBox",
                                         "Text unter dem Cursor suchen",
                                         QRect(3, 11, 217, 17));
  GroupBox1 = MakeFontGroup(TabSheet1, "GroupBox1", 34, "EditFontLabel",
                            EditFontLabel, "EditFontBtn", EditFontBtn);
  TabWidthEdit = new LabeledEdit(TabSheet1, "TabWidthEdit",
                                 QStringLiteral("Wievielen Leerzeichen entspricht ein Tab?"),
                                 3, 160, 121);
  WordWrapChkBox = MakeCheckBox(TabSheet1, "WordWrapChkBox", "Zeilenumbruch",
                                QRect(3, 187, 217, 17));
  BashSyntaxChkBox = MakeCheckBox(TabSheet1, "BashSyntaxChkBox", "Bash-Syntax hervorheben",
                                  QRect(3, 210, 217, 17));

  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Struktogramm"));
  const auto metricEdit = [this](const char* name, const char* label, int left, int top) {
    auto* edit = new LabeledEdit(TabSheet2, name, QString::fromUtf8(label), left, top, 121);
    edit->installEventFilter(this);
    connect(edit, &LabeledEdit::exited, this,
            [this, edit] { AnweisungsHoeheEditExit(edit); });
    return edit;
  };
  AnweisungsHoeheEdit = metricEdit("AnweisungsHoeheEdit", "Höhe einer Anweisung:", 3, 23);
  SchleifenBreiteEdit =
      metricEdit("SchleifenBreiteEdit", "Breite des Randes einer Schleife:", 3, 72);
  AufrufBreiteEdit = metricEdit("AufrufBreiteEdit", "Breite des Randes eines Aufrufes:", 3, 120);
  LeerAbstandEdit = metricEdit("LeerAbstandEdit",
                               "Abstand des Striches durch einen leeren Block zum Rand:", 195, 23);
  NullBreiteEdit = metricEdit("NullBreiteEdit", "Mindestbreite eines Blockes:", 195, 71);
  AbstandEdit = metricEdit("AbstandEdit", "Mindestabstand zum horizontalen Rand:", 195, 119);
  GroupBox2 = MakeFontGroup(TabSheet2, "GroupBox2", 155, "NSDFontLabel", NSDFontLabel,
                            "NSDForntBtn", NSDForntBtn);
  AusrichtungRadioGroup =
      kova::MakeGroupBox(TabSheet2, "AusrichtungRadioGroup",
                         QStringLiteral("Ausrichtung des Textes"), QRect(279, 155, 185, 102));
  const char* const alignments[] = {"links", "rechts", "zentriert"};
  for (int i = 0; i < 3; ++i) {
    AusrichtungItems[i] = new QRadioButton(QLatin1String(alignments[i]), AusrichtungRadioGroup);
    AusrichtungItems[i]->setGeometry(8, 18 + 26 * i, 169, 17);
  }
  kova::FitChildrenIntoGroup(*AusrichtungRadioGroup);
  KommentareChkBox = MakeCheckBox(TabSheet2, "KommentareChkBox",
                                  "Kommentare in das Struktogramm übernehmen",
                                  QRect(3, 264, 382, 17));

  Button1 = MakeButton(Panel1, "Button1", "&OK", QRect(181, 6, 75, 23));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  Button2 = MakeButton(Panel1, "Button2", "&Abbrechen", QRect(275, 6, 75, 23));
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

  connect(TabWidthEdit, &LabeledEdit::exited, this, &TSettingsForm::TabWidthEditExit);
  connect(EditFontBtn, &QPushButton::clicked, this, [this] { EditFontBtnClick(EditFontBtn); });
  connect(NSDForntBtn, &QPushButton::clicked, this, [this] { EditFontBtnClick(NSDForntBtn); });

  setTabOrder(SearchTextAtCaretChkBox, EditFontBtn);
  setTabOrder(EditFontBtn, TabWidthEdit);
  setTabOrder(TabWidthEdit, WordWrapChkBox);
  setTabOrder(WordWrapChkBox, BashSyntaxChkBox);
  setTabOrder(AnweisungsHoeheEdit, SchleifenBreiteEdit);
  setTabOrder(SchleifenBreiteEdit, AufrufBreiteEdit);
  setTabOrder(AufrufBreiteEdit, LeerAbstandEdit);
  setTabOrder(LeerAbstandEdit, NullBreiteEdit);
  setTabOrder(NullBreiteEdit, AbstandEdit);
  setTabOrder(AbstandEdit, NSDForntBtn);
  setTabOrder(NSDForntBtn, AusrichtungItems[0]);
  setTabOrder(AusrichtungItems[2], KommentareChkBox);
  PageControl1->setCurrentIndex(0);
}

int TSettingsForm::AusrichtungIndex() const {
  for (int i = 0; i < 3; ++i)
    if (AusrichtungItems[i]->isChecked()) return i;
  return -1;
}

void TSettingsForm::SetAusrichtungIndex(int index) {
  if (index >= 0) {
    AusrichtungItems[std::min(index, 2)]->setChecked(true);
    return;
  }
  for (QRadioButton* item : AusrichtungItems) {
    item->setAutoExclusive(false);
    item->setChecked(false);
    item->setAutoExclusive(true);
  }
}

LabeledEdit* TSettingsForm::MetricEdit(int index) const {
  LabeledEdit* const edits[] = {AnweisungsHoeheEdit, SchleifenBreiteEdit, AufrufBreiteEdit,
                                LeerAbstandEdit,     NullBreiteEdit,      AbstandEdit};
  return edits[index];
}

bool TSettingsForm::AnweisungsHoeheEditKeyPress(QChar key) {
  if (key == QChar(8) || (key >= QChar('0') && key <= QChar('9'))) return true;
  kova::MessageBeep(kova::BeepSound::Default);
  return false;
}

void TSettingsForm::ReturnFocus(QWidget* edit) {
  fReturningFocus = true;
  edit->setFocus();
  fReturningFocus = false;
}

void TSettingsForm::AnweisungsHoeheEditExit(LabeledEdit* sender) {
  if (fReturningFocus || kova::TryStrToInt(sender->text())) return;
  kova::ShowError('"' + sender->text() + QStringLiteral("\" ist keine gültige Zahl!"));
  ReturnFocus(sender);
}

void TSettingsForm::TabWidthEditExit() {
  if (fReturningFocus || kova::TryStrToInt(TabWidthEdit->text())) return;
  ReturnFocus(TabWidthEdit);
  kova::MessageBeep(kova::BeepSound::Default);
}

void TSettingsForm::ShowSample(QLabel* label, const kova::DiagramFont& font) {
  label->setFont(kova::ToQFont(font));
  QPalette colored = label->palette();
  colored.setColor(QPalette::WindowText, font.color.Shown());
  label->setPalette(colored);
}

void TSettingsForm::SetEditFont(const kova::DiagramFont& font) {
  fEditFont = font;
  ShowSample(EditFontLabel, font);
}

void TSettingsForm::SetNSDFont(const kova::DiagramFont& font) {
  fNSDFont = font;
  ShowSample(NSDFontLabel, font);
}

void TSettingsForm::EditFontBtnClick(QPushButton* sender) {
  const bool editFont = sender == EditFontBtn;
  const kova::DiagramFont& before = editFont ? fEditFont : fNSDFont;
  // The font dialog works in points; the colour and the orientation, which it
  // does not offer, stay as they were.
  const std::optional<QFont> chosen = kova::AskFont(kova::PointSizedQFont(before));
  if (!chosen) return;
  const kova::DiagramFont after = kova::WithQFont(before, *chosen);
  if (editFont)
    SetEditFont(after);
  else
    SetNSDFont(after);
}

bool TSettingsForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->text().isEmpty() && !IsDialogKey(key->key()) &&
        !AnweisungsHoeheEditKeyPress(key->text().front()))
      return true;
  }
  return QDialog::eventFilter(watched, event);
}
