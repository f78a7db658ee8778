// The settings dialog "Einstellungen...": the editor's font, tab width, word
// wrap and highlighting, the search text at the caret, the diagram font,
// metrics and alignment, and whether comments enter the diagrams. It holds
// the values only while it is open; the main window fills it and applies it.
#pragma once

#include <QDialog>

#include "render/diagram_font.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

class QFont;

namespace kova {
class LabeledEdit;
}

namespace kova {
// before with the name, size and style of font; the colour and the
// orientation, which a Qt font does not carry, stay.
DiagramFont WithQFont(const DiagramFont& before, const QFont& font);
}  // namespace kova

class TSettingsForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSettingsForm(QWidget* owner);

  // The selected alignment: 0 "links", 1 "rechts", 2 "zentriert". Setting a
  // value beyond the last item selects the last item.
  int AusrichtungIndex() const;
  void SetAusrichtungIndex(int index);

  // The fonts of the two sample labels, the dialog's only store for the
  // editor font and the diagram font while it is open.
  const kova::DiagramFont& EditFont() const { return fEditFont; }
  void SetEditFont(const kova::DiagramFont& font);
  const kova::DiagramFont& NSDFont() const { return fNSDFont; }
  void SetNSDFont(const kova::DiagramFont& font);

  // The six metric edits in the order they are filled and applied.
  kova::LabeledEdit* MetricEdit(int index) const;

  // Lets a typed digit or backspace through; any other character is dropped
  // with a beep. Returns whether the character may reach the edit.
  static bool AnweisungsHoeheEditKeyPress(QChar key);
  // A metric edit left with a text that is no number: says so and returns
  // the focus to it.
  void AnweisungsHoeheEditExit(kova::LabeledEdit* sender);
  // The tab width edit left with a text that is no number: returns the focus
  // to it and beeps.
  void TabWidthEditExit();
  // Lets the user choose the font of the sample label that belongs to the
  // button.
  void EditFontBtnClick(QPushButton* sender);

  QTabWidget* PageControl1;
  QWidget* Panel1;
  QWidget* TabSheet1;
  QCheckBox* SearchTextAtCaretChkBox;
  QGroupBox* GroupBox1;
  QLabel* EditFontLabel;
  QPushButton* EditFontBtn;
  kova::LabeledEdit* TabWidthEdit;
  QCheckBox* WordWrapChkBox;
  QCheckBox* BashSyntaxChkBox;
  QWidget* TabSheet2;
  kova::LabeledEdit* AnweisungsHoeheEdit;
  kova::LabeledEdit* SchleifenBreiteEdit;
  kova::LabeledEdit* AufrufBreiteEdit;
  kova::LabeledEdit* LeerAbstandEdit;
  kova::LabeledEdit* NullBreiteEdit;
  kova::LabeledEdit* AbstandEdit;
  QGroupBox* GroupBox2;
  QLabel* NSDFontLabel;
  QPushButton* NSDForntBtn;
  QGroupBox* AusrichtungRadioGroup;
  QRadioButton* AusrichtungItems[3];
  QCheckBox* KommentareChkBox;
  QPushButton* Button1;
  QPushButton* Button2;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Puts the focus back into edit without checking the control that loses
  // it, so that two fields holding no number do not call each other back
  // for ever.
  void ReturnFocus(QWidget* edit);

  // Shows font in label's sample text.
  static void ShowSample(QLabel* label, const kova::DiagramFont& font);

  bool fReturningFocus = false;
  kova::DiagramFont fEditFont;
  kova::DiagramFont fNSDFont;
};
