#include "app/dialogs/text_replace_form.h"

#include "app/dialogs/form_setup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

TTextReplaceForm::TTextReplaceForm(QWidget* owner) : TTextSearchForm(owner) {
  kova::SetUpForm(*this, "TextReplaceForm", QStringLiteral("Ersetzen..."), "MS Sans Serif");
  setFixedSize(332, 210);

  Label2 = new QLabel(QStringLiteral("E&rsetzen mit:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->move(8, 41);
  Label2->adjustSize();
  cbReplaceText = kova::MakeHistoryCombo(this, "cbReplaceText", 37, Label2);

  gbSearchOptions->move(gbSearchOptions->x(), 70);
  rgSearchDirection->move(rgSearchDirection->x(), 70);
  btnOK->move(btnOK->x(), 179);
  btnCancel->move(btnCancel->x(), 179);
  setTabOrder(cbSearchText, cbReplaceText);
  setTabOrder(cbReplaceText, cbSearchCaseSensitive);
}

QString TTextReplaceForm::ReplaceText() const { return cbReplaceText->currentText(); }
void TTextReplaceForm::SetReplaceText(const QString& value) {
  cbReplaceText->setEditText(value);
}
QString TTextReplaceForm::ReplaceTextHistory() const {
  return kova::ComboHistory(*cbReplaceText);
}
void TTextReplaceForm::SetReplaceTextHistory(const QString& value) {
  kova::SetComboHistory(*cbReplaceText, value);
}

void TTextReplaceForm::UpdateHistories() {
  TTextSearchForm::UpdateHistories();
  kova::PushComboHistory(*cbReplaceText);
}
