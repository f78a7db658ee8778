// The info dialog "Info zu KOVA...": name, version line, icon, info text,
// two links (web page and mail) and a logo that opens a web page.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace kova {
class ClickLabel;
}

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* owner);

  // Fills the memo with infoText and puts the closing line on the memo's
  // last visible row; when the text needs more rows, one empty line precedes
  // the closing line and the memo scrolls.
  void FillMemo(const QString& infoText);
  // How many text rows the memo shows without scrolling.
  int MemoRows() const;
  // How many lines the memo displays for lines, wrapped lines counted as
  // displayed.
  int DisplayLineCount(const QStringList& lines) const;

  void Label6Click();
  void Label7Click();
  void LogoImageClick();

  QLabel* NameLabel;
  QLabel* VersionLabel;
  QLabel* BgImage;
  QLabel* IconImage;
  kova::ClickLabel* LogoImage;
  QPlainTextEdit* Memo;
  QFrame* Shape1;
  kova::ClickLabel* Label6;
  kova::ClickLabel* Label7;
  QPushButton* OKButton;
};

// The info text of the info command.
extern const char* const InfoText;
// The addresses the info dialog opens.
extern const char* const WebPageAddress;
extern const char* const MailAddress;
extern const char* const LogoAddress;

// Builds and fills the dialog; picture may be null.
void PrepareAboutBox(TAboutForm& form, const QString& infoText, const QPixmap& picture);
// Builds, fills and shows the dialog modally; returns once it is destroyed.
void ShowAboutBox(const QString& infoText, const QPixmap& picture, QWidget* owner);
