// The info dialog: caption, version line, the memo's closing line on its last
// visible row, and the shell requests of its links.
#include "app/dialogs/about_form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/dialogs/click_label.h"
#include "app/platform/dialog_stub.h"
#include "app/dialogs/shell_open.h"
#include "app/dialogs/version_info.h"
#include "app/dialogs/user_stubs.h"

namespace kova {
namespace {

// Collects the addresses the desktop is asked to open.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  UrlRecorder() {
    for (const char* scheme : {"https", "mailto"})
      QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "Open");
  }
  ~UrlRecorder() override {
    for (const char* scheme : {"https", "mailto"})
      QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
  }

  QList<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls << url; }
};

QStringList MemoLines(const TAboutForm& form) {
  return form.Memo->toPlainText().split('\n');
}

class AboutFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QGuiApplication::setApplicationDisplayName("KOVA");
    PrepareAboutBox(form, QString::fromUtf8(InfoText), QPixmap());
  }

  DialogStub dialogs;
  TAboutForm form{nullptr};
};

TEST_F(AboutFormTest, ShowsTheTitleAndTheBuildsVersion) {
  EXPECT_EQ("Info zu KOVA...", form.windowTitle());
  EXPECT_EQ("KOVA", form.NameLabel->text());
  EXPECT_EQ("Version 0.2.0    built 16", form.VersionLabel->text());
  EXPECT_EQ(QSize(377, 240), form.size());
  EXPECT_TRUE(form.OKButton->isDefault());
}

TEST(VersionInfoTest, ABlankNameMeansTheRunningProgram) {
  EXPECT_EQ("Version 0.2.0    built 16", GetVersionString("  "));
  EXPECT_EQ("", GetVersionString("/bin/sh"));
}

TEST_F(AboutFormTest, TheMemoHasSevenRowsOfItsFont) {
  EXPECT_EQ(97 / QFontMetrics(form.Memo->font()).height(), form.MemoRows());
}

TEST_F(AboutFormTest, AShortTextLeavesTheClosingLineOnTheLastVisibleRow) {
  form.FillMemo("one\r\ntwo\r\nthree");
  const QStringList lines = MemoLines(form);
  ASSERT_EQ(form.MemoRows(), lines.size());
  EXPECT_EQ("three", lines[2]);
  for (int i = 3; i < lines.size() - 1; ++i) EXPECT_EQ("", lines[i]);
  EXPECT_TRUE(lines.last().startsWith("KOVA "));
  EXPECT_EQ(Qt::ScrollBarAlwaysOff, form.Memo->verticalScrollBarPolicy());
}

TEST_F(AboutFormTest, ALongTextGetsOneEmptyLineAndAScrollBar) {
  QStringList many;
  for (int i = 0; i < form.MemoRows() + 2; ++i) many << QString("line %1").arg(i);
  form.FillMemo(many.join("\r\n"));
  const QStringList lines = MemoLines(form);
  ASSERT_EQ(many.size() + 2, lines.size());
  EXPECT_EQ("", lines[lines.size() - 2]);
  EXPECT_EQ(Qt::ScrollBarAlwaysOn, form.Memo->verticalScrollBarPolicy());
}

TEST_F(AboutFormTest, TheOwnInfoTextNamesWhatTheProgramDrawsAndTheLibrariesItUses) {
  const QString text = form.Memo->toPlainText();
  EXPECT_TRUE(text.contains("Struktogramme"));
  for (const char* library : {"Qt (qt.io)", "QScintilla (riverbankcomputing.com)",
                              "libpng (libpng.org)", "giflib (giflib.sourceforge.net)"})
    EXPECT_TRUE(text.contains(library)) << library;
}

TEST_F(AboutFormTest, WrappedLinesCountAsDisplayed) {
  const QString longLine = QString("wort ").repeated(60);
  EXPECT_GT(form.DisplayLineCount({longLine}), 2);
  EXPECT_EQ(1, form.DisplayLineCount({""}));
}

TEST_F(AboutFormTest, TheLinksOpenTheWebPageAndAMailWithTheVersion) {
  UrlRecorder recorder;
  form.Label6Click();
  form.Label7Click();
  form.LogoImageClick();
  ASSERT_EQ(3, recorder.urls.size());
  EXPECT_EQ(QUrl(WebPageAddress), recorder.urls[0]);
  EXPECT_EQ("mailto", recorder.urls[1].scheme());
  EXPECT_EQ("subject=KOVA 0.2.0    built 16",
            recorder.urls[1].query(QUrl::FullyDecoded));
  EXPECT_EQ(QUrl(LogoAddress), recorder.urls[2]);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(AboutFormTest, AMissingFileIsReportedInGerman) {
  ShellOpen("/nonexistent/kova.txt");
  ASSERT_EQ(1u, dialogs.messages.size());
  EXPECT_EQ(MessageKind::Error, dialogs.messages[0].kind);
  EXPECT_EQ("Die Datei \"/nonexistent/kova.txt\" wurde nicht gefunden.",
            dialogs.messages[0].text);
  EXPECT_EQ(
      "Die zum Öffnen der Datei \"T\" nötige DDE-Operation schlug fehl, weil eine "
      "andere DDE-Operation vorrang hatte.",
      ShellFailureMessage(ShellFailure::DdeBusy, "T"));
}

TEST_F(AboutFormTest, LinksAreUnderlinedWhileTheMouseIsOverThem) {
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(form.Label6, &enter);
  EXPECT_TRUE(form.Label6->font().underline());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(form.Label6, &leave);
  EXPECT_FALSE(form.Label6->font().underline());
  EXPECT_EQ(Qt::PointingHandCursor, form.Label7->cursor().shape());
}

}  // namespace
}  // namespace kova

#include "about_form_test.moc"
