// The search dialog "Suchen...": the search text with its history, the
// options and the direction. It is filled and read back through its
// properties; confirming it puts the search text at the top of the history.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TTextSearchForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTextSearchForm(QWidget* owner);

  bool SearchBackwards() const;
  void SetSearchBackwards(bool value);
  bool SearchCaseSensitive() const;
  void SetSearchCaseSensitive(bool value);
  bool SearchWholeWords() const;
  void SetSearchWholeWords(bool value);
  bool SearchFromCursor() const;
  void SetSearchFromCursor(bool value);
  bool SearchInSelectionOnly() const;
  void SetSearchInSelectionOnly(bool value);
  bool SearchRegularExpression() const;
  void SetSearchRegularExpression(bool value);
  QString SearchText() const;
  void SetSearchText(const QString& value);
  // At most the ten newest entries, joined by CR LF.
  QString SearchTextHistory() const;
  // Replaces the list by the lines of value; the search text stays.
  void SetSearchTextHistory(const QString& value);

  // Closing with OK updates the histories, as the close query would.
  void done(int result) override;

 protected:
  // Moves the confirmed texts to the top of their histories.
  virtual void UpdateHistories();

  QLabel* Label1;
  QComboBox* cbSearchText;
  QGroupBox* gbSearchOptions;
  QCheckBox* cbSearchCaseSensitive;
  QCheckBox* cbSearchWholeWords;
  QCheckBox* cbSearchFromCursor;
  QCheckBox* cbSearchSelectedOnly;
  QCheckBox* cbRegularExpression;
  QGroupBox* rgSearchDirection;
  QRadioButton* rbForward;
  QRadioButton* rbBackward;
  QPushButton* btnOK;
  QPushButton* btnCancel;
};

namespace kova {

// A history combo box's list as text: the first ten entries joined by CR LF.
QString ComboHistory(const QComboBox& combo);
// Replaces a history combo box's list by the lines of text, keeping its text.
void SetComboHistory(QComboBox& combo, const QString& text);
// An editable combo box for a text and its history, at (96, top), that
// label names.
QComboBox* MakeHistoryCombo(QWidget* parent, const char* name, int top, QLabel* label);
// Puts the combo box's text at the top of its list, dropping an entry equal to
// it without regard to case; an empty text changes nothing.
void PushComboHistory(QComboBox& combo);

}  // namespace kova
