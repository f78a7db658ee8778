// The replace dialog "Ersetzen...": the search dialog with a replacement text
// and its history.
#pragma once

#include "app/dialogs/text_search_form.h"

class TTextReplaceForm : public TTextSearchForm {
  Q_OBJECT

 public:
  explicit TTextReplaceForm(QWidget* owner);

  QString ReplaceText() const;
  void SetReplaceText(const QString& value);
  QString ReplaceTextHistory() const;
  void SetReplaceTextHistory(const QString& value);

 protected:
  void UpdateHistories() override;

  QLabel* Label2;
  QComboBox* cbReplaceText;
};
