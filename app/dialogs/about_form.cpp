#include "app/dialogs/about_form.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>

#include "app/dialogs/click_label.h"
#include "app/dialogs/form_setup.h"
#include "app/dialogs/modal_dialog.h"
#include "app/dialogs/shell_open.h"
#include "app/editor/text_lines.h"
#include "app/dialogs/version_info.h"

using kova::ClickLabel;

const char* const InfoText =
    "KOVA zeichnet Nassi-Shneiderman-Diagramme (Struktogramme).\r\n\r\n"
    "Mit Qt (qt.io), QScintilla (riverbankcomputing.com), libpng (libpng.org) "
    "und giflib (giflib.sourceforge.net).";
const char* const WebPageAddress = "https://kova.example.org";
const char* const MailAddress = "kova@example.org";
const char* const LogoAddress = "https://de.wikipedia.org/wiki/Nassi-Shneiderman-Diagramm";

namespace {

const char* const kClosingSentence = " wünscht gutes Gelingen!";

QString ApplicationTitle() { return QGuiApplication::applicationDisplayName(); }

// The logo: a small structogram (a statement over a selection) beside the name.
QPixmap LogoPicture() {
  QPixmap logo(88, 32);
  logo.fill(Qt::white);
  QPainter painter(&logo);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, 31, 31);
  painter.drawLine(0, 10, 31, 10);
  painter.drawLine(0, 10, 15, 20);
  painter.drawLine(31, 10, 15, 20);
  painter.drawLine(0, 20, 31, 20);
  painter.drawLine(15, 20, 15, 31);
  QFont name(QStringLiteral("Tahoma"));
  name.setPixelSize(18);
  name.setBold(true);
  painter.setFont(name);
  painter.setPen(QColor(0, 0, 160));
  painter.drawText(QRect(34, 0, 54, 32), Qt::AlignCenter, QStringLiteral("KOVA"));
  return logo;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->move(left, top);
  return label;
}

QFrame* MakeBevel(QWidget* parent, int number, int left, int top, int height) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(QStringLiteral("Bevel%1").arg(number));
  bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bevel->setGeometry(left, top, 9, height);
  return bevel;
}

ClickLabel* MakeLink(QWidget* parent, const char* name, const QString& text, int top) {
  auto* link = new ClickLabel(parent, name, true);
  QFont linkFont(QStringLiteral("MS Sans Serif"));
  linkFont.setPointSize(8);
  link->setFont(linkFont);
  QPalette blue = link->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  link->setPalette(blue);
  link->setText(text);
  link->move(72, top);
  link->adjustSize();
  return link;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* owner) : QDialog(owner) {
  kova::SetUpForm(*this, "AboutForm", QString(), "Tahoma");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(377, 240);
  // Centred on the screen rather than over its owner.
  move(screen()->availableGeometry().center() - rect().center());

  OKButton = new QPushButton(QStringLiteral("&OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setGeometry(295, 178, 75, 23);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  BgImage = MakeLabel(this, "BgImage", 8, 8);
  BgImage->resize(57, 225);
  BgImage->setAlignment(Qt::AlignCenter);
  IconImage = MakeLabel(this, "IconImage", 21, 18);
  IconImage->resize(32, 32);
  IconImage->setAlignment(Qt::AlignCenter);
  NameLabel = MakeLabel(this, "NameLabel", 72, 16);
  QFont nameFont(QStringLiteral("MS Sans Serif"));
  nameFont.setPixelSize(16);
  nameFont.setBold(true);
  NameLabel->setFont(nameFont);
  VersionLabel = MakeLabel(this, "VersionLabel", 74, 40);
  LogoImage = new ClickLabel(this, "LogoImage", false);
  LogoImage->setPixmap(LogoPicture());
  LogoImage->move(280, 16);
  LogoImage->adjustSize();
  connect(LogoImage, &ClickLabel::clicked, this, &TAboutForm::LogoImageClick);

  Memo = new QPlainTextEdit(this);
  Memo->setObjectName(QStringLiteral("Memo"));
  Memo->setGeometry(72, 64, 297, 97);
  Memo->setFrameShape(QFrame::NoFrame);
  Memo->setReadOnly(true);
  Memo->setTabChangesFocus(false);
  Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo->document()->setDocumentMargin(0);
  QPalette buttonFace = Memo->palette();
  buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
  Memo->setPalette(buttonFace);

  Shape1 = new QFrame(this);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(8, 168, 361, 2);
  Shape1->setAutoFillBackground(true);
  QPalette black = Shape1->palette();
  black.setColor(QPalette::Window, Qt::black);
  Shape1->setPalette(black);

  Label6 = MakeLink(this, "Label6", QLatin1String(WebPageAddress), 184);
  connect(Label6, &ClickLabel::clicked, this, &TAboutForm::Label6Click);
  Label7 = MakeLink(this, "Label7", QLatin1String(MailAddress), 208);
  connect(Label7, &ClickLabel::clicked, this, &TAboutForm::Label7Click);

  MakeBevel(this, 4, 16, 64, 97);
  MakeBevel(this, 5, 32, 80, 81);
  MakeBevel(this, 6, 48, 96, 65);
  MakeBevel(this, 3, 16, 176, 49);
  MakeBevel(this, 2, 32, 176, 49);
  MakeBevel(this, 1, 48, 176, 49);
  OKButton->setFocus();
}

int TAboutForm::MemoRows() const {
  return Memo->contentsRect().height() / QFontMetrics(Memo->font()).height();
}

int TAboutForm::DisplayLineCount(const QStringList& lines) const {
  const qreal width = Memo->contentsRect().width();
  int count = 0;
  for (const QString& line : lines) {
    QTextLayout layout(line, Memo->font());
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    layout.beginLayout();
    int wrapped = 0;
    while (layout.createLine().isValid()) {
      layout.lineAt(wrapped).setLineWidth(width);
      ++wrapped;
    }
    layout.endLayout();
    count += std::max(wrapped, 1);
  }
  return count;
}

void TAboutForm::FillMemo(const QString& infoText) {
  const int rows = MemoRows();
  QStringList lines = kova::SplitTextLines(infoText);
  lines << QString();
  while (DisplayLineCount(lines) < rows - 1) lines << QString();
  lines << ApplicationTitle() + QString::fromUtf8(kClosingSentence);
  Memo->setPlainText(lines.join('\n'));
  Memo->setVerticalScrollBarPolicy(rows >= DisplayLineCount(lines) ? Qt::ScrollBarAlwaysOff
                                                                    : Qt::ScrollBarAlwaysOn);
}

void TAboutForm::Label6Click() { kova::ShellOpen(QLatin1String(WebPageAddress)); }

void TAboutForm::Label7Click() {
  const QString subject = NameLabel->text() + VersionLabel->text().mid(7);
  kova::ShellOpen(QStringLiteral("mailto:") + QLatin1String(MailAddress) +
                  QStringLiteral("?subject=") + subject);
}

void TAboutForm::LogoImageClick() { kova::ShellOpen(QLatin1String(LogoAddress)); }

void PrepareAboutBox(TAboutForm& form, const QString& infoText, const QPixmap& picture) {
  form.setWindowTitle(QStringLiteral("Info zu ") + ApplicationTitle() + QStringLiteral("..."));
  form.NameLabel->setText(ApplicationTitle());
  form.NameLabel->adjustSize();
  form.IconImage->setPixmap(QApplication::windowIcon().pixmap(32, 32));
  form.BgImage->setPixmap(picture);
  form.FillMemo(infoText);
  form.VersionLabel->setText(kova::GetVersionString(QString()));
  form.VersionLabel->adjustSize();
}

void ShowAboutBox(const QString& infoText, const QPixmap& picture, QWidget* owner) {
  TAboutForm form(owner);
  PrepareAboutBox(form, infoText, picture);
  kova::RunModal(form);
}
