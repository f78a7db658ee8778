// The keys dialog "Schlüssel...": a read-only two-column list of the
// structural lines the translator knows and their keywords.
#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;
class QWidget;

class TKeysForm : public QDialog {
  Q_OBJECT

 public:
  explicit TKeysForm(QWidget* owner);

  // Adds one row from "element=keywords": the text before the first equals
  // sign is the element, the rest the keywords.
  void AddString(const QString& keyAndValue);

  QTableWidget* ValueListEditor;
  QWidget* Panel1;
  QPushButton* Button1;
};
