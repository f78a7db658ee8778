#include "app/dialogs/text_search_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/dialogs/form_setup.h"
#include "app/dialogs/group_box.h"
#include "app/editor/text_lines.h"

namespace kova {

namespace {

constexpr int kHistoryLength = 10;

}  // namespace

QString ComboHistory(const QComboBox& combo) {
  QStringList entries;
  for (int i = 0; i < combo.count() && i < kHistoryLength; ++i)
    entries << combo.itemText(i);
  return entries.join(QStringLiteral("\r\n"));
}

void SetComboHistory(QComboBox& combo, const QString& text) {
  const QString kept = combo.currentText();
  combo.clear();
  combo.addItems(SplitTextLines(text));
  combo.setEditText(kept);
}

QComboBox* MakeHistoryCombo(QWidget* parent, const char* name, int top, QLabel* label) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QLatin1String(name));
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  // Completion would change what the user sees on Enter: it takes a history
  // entry in that entry's letter case, or the first entry for a proposed text,
  // and keeps the dialog open. Without it Enter is the OK button.
  combo->setCompleter(nullptr);
  combo->setGeometry(96, top, 228, 21);
  label->setBuddy(combo);
  return combo;
}

void PushComboHistory(QComboBox& combo) {
  const QString text = combo.currentText();
  if (text.isEmpty()) return;
  const int found = combo.findText(text, Qt::MatchFixedString);
  if (found >= 0) combo.removeItem(found);
  combo.insertItem(0, text);
  combo.setEditText(text);
}

}  // namespace kova

using kova::ComboHistory;
using kova::PushComboHistory;
using kova::SetComboHistory;

namespace {

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& text,
                        int top) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QLatin1String(name));
  box->setGeometry(8, top, 140, 17);
  return box;
}

}  // namespace

TTextSearchForm::TTextSearchForm(QWidget* owner) : QDialog(owner) {
  kova::SetUpForm(*this, "TextSearchForm", QStringLiteral("Suchen..."), "MS Sans Serif");
  setFixedSize(332, 180);
  move(132, 168);

  Label1 = new QLabel(QStringLiteral("&Suchen nach:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  // The label takes the width its text needs in the font the platform has.
  Label1->move(8, 12);
  Label1->adjustSize();
  cbSearchText = kova::MakeHistoryCombo(this, "cbSearchText", 8, Label1);

  gbSearchOptions = kova::MakeGroupBox(this, "gbSearchOptions", QStringLiteral("Optionen"),
                                       QRect(8, 40, 154, 127));
  cbSearchCaseSensitive = MakeCheckBox(gbSearchOptions, "cbSearchCaseSensitive",
                                       QStringLiteral("Gro&ß-/Kleinschreibng"), 17);
  cbSearchWholeWords = MakeCheckBox(gbSearchOptions, "cbSearchWholeWords",
                                    QStringLiteral("Nur ganze &Wörter"), 39);
  cbSearchFromCursor = MakeCheckBox(gbSearchOptions, "cbSearchFromCursor",
                                    QStringLiteral("Suche ab &Cursor"), 61);
  cbSearchSelectedOnly = MakeCheckBox(gbSearchOptions, "cbSearchSelectedOnly",
                                      QStringLiteral("nur &markierter Text"), 83);
  cbRegularExpression = MakeCheckBox(gbSearchOptions, "cbRegularExpression",
                                     QStringLiteral("&Regular expression"), 104);

  kova::FitChildrenIntoGroup(*gbSearchOptions);

  rgSearchDirection = kova::MakeGroupBox(this, "rgSearchDirection", QStringLiteral("Richtung"),
                                         QRect(170, 40, 154, 65));
  rbForward = new QRadioButton(QStringLiteral("&Vorwärts"), rgSearchDirection);
  rbForward->setGeometry(8, 18, 138, 17);
  rbBackward = new QRadioButton(QStringLiteral("&Zurück"), rgSearchDirection);
  rbBackward->setGeometry(8, 40, 138, 17);
  rbForward->setChecked(true);
  kova::FitChildrenIntoGroup(*rgSearchDirection);

  btnOK = new QPushButton(QStringLiteral("&OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setGeometry(170, 149, 75, 23);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  btnCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setGeometry(249, 149, 75, 23);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  setTabOrder(cbSearchText, cbSearchCaseSensitive);
  setTabOrder(cbSearchCaseSensitive, cbSearchWholeWords);
  setTabOrder(cbSearchWholeWords, cbSearchFromCursor);
  setTabOrder(cbSearchFromCursor, cbSearchSelectedOnly);
  setTabOrder(cbSearchSelectedOnly, cbRegularExpression);
  setTabOrder(cbRegularExpression, rbForward);
  setTabOrder(rbForward, rbBackward);
  setTabOrder(rbBackward, btnOK);
  setTabOrder(btnOK, btnCancel);
  cbSearchText->setFocus();
}

bool TTextSearchForm::SearchBackwards() const { return rbBackward->isChecked(); }
void TTextSearchForm::SetSearchBackwards(bool value) {
  (value ? rbBackward : rbForward)->setChecked(true);
}
bool TTextSearchForm::SearchCaseSensitive() const {
  return cbSearchCaseSensitive->isChecked();
}
void TTextSearchForm::SetSearchCaseSensitive(bool value) {
  cbSearchCaseSensitive->setChecked(value);
}
bool TTextSearchForm::SearchWholeWords() const {
  return cbSearchWholeWords->isChecked();
}
void TTextSearchForm::SetSearchWholeWords(bool value) {
  cbSearchWholeWords->setChecked(value);
}
bool TTextSearchForm::SearchFromCursor() const {
  return cbSearchFromCursor->isChecked();
}
void TTextSearchForm::SetSearchFromCursor(bool value) {
  cbSearchFromCursor->setChecked(value);
}
bool TTextSearchForm::SearchInSelectionOnly() const {
  return cbSearchSelectedOnly->isChecked();
}
void TTextSearchForm::SetSearchInSelectionOnly(bool value) {
  cbSearchSelectedOnly->setChecked(value);
}
bool TTextSearchForm::SearchRegularExpression() const {
  return cbRegularExpression->isChecked();
}
void TTextSearchForm::SetSearchRegularExpression(bool value) {
  cbRegularExpression->setChecked(value);
}
QString TTextSearchForm::SearchText() const { return cbSearchText->currentText(); }
void TTextSearchForm::SetSearchText(const QString& value) {
  cbSearchText->setEditText(value);
}
QString TTextSearchForm::SearchTextHistory() const {
  return ComboHistory(*cbSearchText);
}
void TTextSearchForm::SetSearchTextHistory(const QString& value) {
  SetComboHistory(*cbSearchText, value);
}

void TTextSearchForm::done(int result) {
  if (result == QDialog::Accepted) UpdateHistories();
  QDialog::done(result);
}

void TTextSearchForm::UpdateHistories() { PushComboHistory(*cbSearchText); }
