// "KOVA.ini" as the window reads it at start and writes it at exit: the
// defaults of a first start, the values that read back differently from how
// they stand in the file, and what survives a restart.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPalette>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <Qsci/qscilexerbash.h>
#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/window/diagram_image.h"
#include "app/platform/dialog_stub.h"
#include "app/storage/file_bytes.h"
#include "app/window/main_form.h"
#include "app/storage/profile_file.h"
#include "app/editor/search_state.h"
#include "app/dialogs/settings_form.h"
#include "app/dialogs/user_stubs.h"
#include "app/platform/window_coordinate.h"
#include "app/window/tool_bar.h"
#include "render/diagram_metrics.h"
#include "support/child_process.h"
#include "support/other_program_locks.h"

namespace {

// The process-wide values that the settings file writes into.
struct ProcessSettings {
  kova::DiagramMetrics metrics = kova::ProcessDiagramMetrics();
  bool textAtCaret = gbSearchTextAtCaret;
  bool backwards = gbSearchBackwards;
  bool caseSensitive = gbSearchCaseSensitive;
  bool fromCaret = gbSearchFromCaret;
  bool selectionOnly = gbSearchSelectionOnly;
  bool wholeWords = gbSearchWholeWords;
  bool regex = gbSearchRegex;
  QString searchText = gsSearchText;
  QString searchHistory = gsSearchTextHistory;
  QString replaceText = gsReplaceText;
  QString replaceHistory = gsReplaceTextHistory;

  void Restore() const {
    kova::ProcessDiagramMetrics() = metrics;
    gbSearchTextAtCaret = textAtCaret;
    gbSearchBackwards = backwards;
    gbSearchCaseSensitive = caseSensitive;
    gbSearchFromCaret = fromCaret;
    gbSearchSelectionOnly = selectionOnly;
    gbSearchWholeWords = wholeWords;
    gbSearchRegex = regex;
    gsSearchText = searchText;
    gsSearchTextHistory = searchHistory;
    gsReplaceText = replaceText;
    gsReplaceTextHistory = replaceHistory;
  }
};

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }
  void TearDown() override {
    form.reset();
    before.Restore();
  }

  QString IniPath() const { return folder.filePath("KOVA.ini"); }
  void WriteIni(const std::string& content) { kova::PutFileBytes(IniPath(), content); }
  void Start() { form = std::make_unique<TMainForm>(IniPath()); }
  void Exit() { form.reset(); }
  void Restart() {
    Exit();
    Start();
  }
  // Closes the window as the user does; the window goes, and the one message
  // said is the error `text`.
  void CloseExpectingTheOneError(const QString& text) {
    form->show();
    form->close();
    form.reset();
    EXPECT_EQ(MainForm, nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, kova::MessageKind::Error);
    EXPECT_EQ(dialogs.messages[0].text, text);
    dialogs.messages.clear();
  }
  kova::ProfileFile Ini() const { return kova::ProfileFile(IniPath()); }
  std::string Value(std::string_view section, std::string_view key) const {
    return Ini().ReadString(section, key, "<absent>");
  }

  // The keys of a section in the order they stand in the file.
  std::vector<std::string> KeysOf(const std::string& section) const {
    std::vector<std::string> keys;
    const std::string content = kova::FileBytes(IniPath());
    bool inside = false;
    std::size_t start = 0;
    while (start < content.size()) {
      const std::size_t end = content.find('\n', start);
      const std::string line = content.substr(start, end - start);
      start = end == std::string::npos ? content.size() : end + 1;
      if (!line.empty() && line.front() == '[') {
        inside = line == "[" + section + "]";
      } else if (inside && line.find('=') != std::string::npos) {
        keys.push_back(line.substr(0, line.find('=')));
      }
    }
    return keys;
  }

  const ProcessSettings before{};
  QTemporaryDir folder;
  kova::DialogStub dialogs;
  std::unique_ptr<TMainForm> form;
};

std::vector<std::string> ToolBarKeys() {
  std::vector<std::string> keys;
  for (const char* band : {"MenuToolBar", "FileToolBar", "KovaToolBar", "EditToolBar", "HelpToolBar"}) {
    for (const char* suffix : {".Visible", ".Left", ".Top"}) keys.push_back(std::string(band) + suffix);
  }
  return keys;
}

std::vector<std::string> FontKeys(const std::string& prefix) {
  std::vector<std::string> keys;
  for (const char* suffix : {"Name", "Color", "Orientation", "Size", "Style.Bold", "Style.Italic",
                             "Style.Underline", "Style.StrikeOut"}) {
    keys.push_back(prefix + ".Font." + suffix);
  }
  return keys;
}

TEST_F(SettingsFileTest, FirstStartUsesTheDefaults) {
  gbSearchTextAtCaret = false;
  gbSearchRegex = true;
  Start();
  EXPECT_EQ(form->pos(), QPoint(10, 10));
  EXPECT_EQ(form->size(), QSize(600, 400));
  EXPECT_FALSE(form->isMaximized());
  EXPECT_EQ(form->fEditor->wrapMode(), QsciScintilla::WrapNone);
  EXPECT_FALSE(form->WordWrapAction->isChecked());
  EXPECT_EQ(form->fEditor->tabWidth(), 2);
  EXPECT_FALSE(form->CommentsAction->isChecked());
  EXPECT_TRUE(form->EditUntenMenu->isChecked());
  EXPECT_TRUE(form->BashSyntaxAction->isChecked());
  EXPECT_EQ(form->fEditor->lexer(), static_cast<QsciLexer*>(form->fShellHighlighter));
  for (kova::ToolBar* band : form->ToolBars()) {
    EXPECT_EQ(band->isHidden(), band != form->MenuToolBar) << band->objectName().toStdString();
  }
  EXPECT_FALSE(form->HintState());
  EXPECT_FALSE(form->BigIconsMenu->isChecked());
  EXPECT_TRUE(gbSearchTextAtCaret);
  EXPECT_FALSE(gbSearchRegex);
  EXPECT_EQ(kova::ProcessDiagramMetrics(), kova::DiagramMetrics());
  EXPECT_EQ(form->fImages[0]->BitmapCanvas().Font().size, 8);
  // The editor shows its text in a font whose letters are equally wide,
  // highlighted or not: the highlighter's styles take the editor's font.
  const QFont editorFont = form->fEditor->EditorFont();
  const QFontMetrics metrics(editorFont);
  EXPECT_EQ(metrics.horizontalAdvance(u'i'), metrics.horizontalAdvance(u'W')) << editorFont.family().toStdString();
  // Qt itself must lay it out as fixed-pitch, whatever "monospace" names.
  EXPECT_TRUE(QFontInfo(editorFont).fixedPitch()) << editorFont.family().toStdString();
  EXPECT_EQ(editorFont.pointSize(), 10);
  EXPECT_EQ(form->fShellHighlighter->font(QsciLexerBash::Comment), editorFont);
  EXPECT_FALSE(QFile::exists(IniPath()));
}

TEST_F(SettingsFileTest, ExitWritesEveryKeyInItsOrder) {
  Start();
  Exit();
  EXPECT_EQ(KeysOf("Bounds"), (std::vector<std::string>{"Maximized", "Top", "Left", "Width", "Height"}));
  std::vector<std::string> settings = {"Zeilenumbruch", "Edit", "BashSyntax", "TabWidth", "Kommentare"};
  for (const std::string& key : ToolBarKeys()) settings.push_back(key);
  settings.push_back("ShowHints");
  settings.push_back("BigIcons");
  for (const std::string& key : FontKeys("EditFont")) settings.push_back(key);
  for (const std::string& key : FontKeys("NSDFont")) settings.push_back(key);
  for (const char* key : {"AnweisungsHoehe", "SchleifenBreite", "AufrufBreite", "LeerAbstand",
                          "NullBreite", "Abstand", "Ausrichtung"}) {
    settings.push_back(key);
  }
  EXPECT_EQ(KeysOf("Settings"), settings);
  EXPECT_EQ(KeysOf("Search"),
            (std::vector<std::string>{"gbSearchTextAtCaret", "gbSearchBackwards", "gbSearchCaseSensitive",
                                      "gbSearchFromCaret", "gbSearchSelectionOnly", "gbSearchWholeWords",
                                      "gbSearchRegex", "gsSearchText", "gsSearchTextHistory",
                                      "gsReplaceText", "gsReplaceTextHistory"}));
  EXPECT_EQ(Value("Bounds", "Width"), "600");
  EXPECT_EQ(Value("Bounds", "Maximized"), "0");
  EXPECT_EQ(Value("Settings", "Edit"), "unten");
  EXPECT_EQ(Value("Settings", "BashSyntax"), "1");
  EXPECT_EQ(Value("Settings", "TabWidth"), "2");
  EXPECT_EQ(Value("Settings", "MenuToolBar.Visible"), "1");
  for (const char* band : {"FileToolBar", "KovaToolBar", "EditToolBar", "HelpToolBar"}) {
    EXPECT_EQ(Value("Settings", std::string(band) + ".Visible"), "0") << band;
  }
  EXPECT_EQ(Value("Search", "gbSearchTextAtCaret"), "1");
  EXPECT_EQ(Value("Settings", "Ausrichtung"), "2");
  EXPECT_EQ(Value("Settings", "AnweisungsHoehe"), "30");
  EXPECT_EQ(Value("Settings", "EditFont.Font.Size"), "10");
  EXPECT_EQ(Value("Settings", "NSDFont.Font.Size"), "8");
  // Fonts never given a colour have the system colour "window text".
  EXPECT_EQ(Value("Settings", "EditFont.Font.Color"), "-16777208");
  EXPECT_EQ(Value("Settings", "NSDFont.Font.Color"), "-16777208");
}

TEST_F(SettingsFileTest, MaximizedKeepsTheBoundsOfTheLastNormalExit) {
  WriteIni("[Bounds]\nMaximized=1\nWidth=800\nHeight=500\nTop=40\nLeft=30\n");
  Start();
  EXPECT_TRUE(form->isMaximized());
  Exit();
  EXPECT_EQ(Value("Bounds", "Maximized"), "1");
  EXPECT_EQ(Value("Bounds", "Width"), "800");
  EXPECT_EQ(Value("Bounds", "Left"), "30");
  WriteIni("[Bounds]\nMaximized=0\nWidth=800\nHeight=500\nTop=40\nLeft=30\n");
  Start();
  EXPECT_FALSE(form->isMaximized());
  EXPECT_EQ(form->geometry().size(), QSize(800, 500));
  EXPECT_EQ(form->pos(), QPoint(30, 40));
}

TEST_F(SettingsFileTest, SizeBeyondTheDesktopIsCutToIt) {
  WriteIni("[Bounds]\nWidth=2000000000\nHeight=-5\nLeft=-3000\n");
  Start();
  EXPECT_EQ(form->width(), form->screen()->virtualSize().width());
  EXPECT_GE(form->height(), 1);
  EXPECT_EQ(form->x(), -3000);
}

TEST_F(SettingsFileTest, MaximizedWithoutBoundsWritesNoBounds) {
  WriteIni("[Bounds]\nMaximized=1\n");
  Start();
  EXPECT_TRUE(form->isMaximized());
  Exit();
  EXPECT_EQ(KeysOf("Bounds"), std::vector<std::string>{"Maximized"});
  form = std::make_unique<TMainForm>(IniPath());
  form->showNormal();
  EXPECT_EQ(form->size(), QSize(600, 400));
}

TEST_F(SettingsFileTest, NoVisibleToolbarShowsTheMenuToolbar) {
  std::string ini = "[Settings]\n";
  for (const char* band : {"MenuToolBar", "FileToolBar", "KovaToolBar", "EditToolBar", "HelpToolBar"}) {
    ini += std::string(band) + ".Visible=0\n";
  }
  WriteIni(ini);
  Start();
  EXPECT_FALSE(form->MenuToolBar->isHidden());
  EXPECT_TRUE(form->FileToolBar->isHidden());
  Exit();
  EXPECT_EQ(Value("Settings", "MenuToolBar.Visible"), "1");
}

TEST_F(SettingsFileTest, FloatingMenuToolbarLeftShownIsThereAgainDocked) {
  WriteIni("[Settings]\nMenuToolBar.Visible=1\nFileToolBar.Visible=1\n");
  Start();
  form->show();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  kova::ToolBar* band = form->MenuToolBar;
  const QPoint docked = form->ToolBarPlace(band);
  // Dragged out by its grip, it floats in a window of its own.
  const QPoint grip(band->GripWidth() / 2 + 1, band->height() / 2);
  QTest::mousePress(band, Qt::LeftButton, {}, grip);
  for (int step = 1; step <= 20; ++step) QTest::mouseMove(band, grip + QPoint(step * 10, step * 10));
  QTest::mouseRelease(band, Qt::LeftButton, {}, grip + QPoint(200, 200));
  ASSERT_TRUE(band->isFloating());
  // Closed while minimised; the program's end closes every window left.
  form->showMinimized();
  form->close();
  QApplication::closeAllWindows();
  Restart();
  EXPECT_EQ(Value("Settings", "MenuToolBar.Visible"), "1");
  EXPECT_EQ(Value("Settings", "FileToolBar.Visible"), "1");
  EXPECT_FALSE(form->MenuToolBar->isHidden());
  EXPECT_FALSE(form->MenuToolBar->isFloating());
  EXPECT_EQ(form->ToolBarPlace(form->MenuToolBar), docked);
  EXPECT_FALSE(form->FileToolBar->isHidden());
}

TEST_F(SettingsFileTest, EditorPositionMatchesOnlyTheExactWord) {
  WriteIni("[Settings]\nEdit=Oben\n");
  Start();
  EXPECT_TRUE(form->EditUntenMenu->isChecked());
  EXPECT_FALSE(form->EditObenMenu->isChecked());
  Exit();
  EXPECT_EQ(Value("Settings", "Edit"), "unten");
  WriteIni("[Settings]\nEdit=links\n");
  Start();
  EXPECT_TRUE(form->EditLinksMenu->isChecked());
  EXPECT_FALSE(form->EditUntenMenu->isChecked());
  Exit();
  EXPECT_EQ(Value("Settings", "Edit"), "links");
}

TEST_F(SettingsFileTest, BashSyntaxOffLeavesTheEditorPlain) {
  WriteIni("[Settings]\nBashSyntax=0\n");
  Start();
  EXPECT_FALSE(form->BashSyntaxAction->isChecked());
  EXPECT_EQ(form->fEditor->lexer(), nullptr);
  Exit();
  EXPECT_EQ(Value("Settings", "BashSyntax"), "0");
}

TEST_F(SettingsFileTest, TabWidthFallsBackAndStaysWithinTheEditorsRange) {
  WriteIni("[Settings]\nTabWidth=abc\n");
  Start();
  EXPECT_EQ(form->fEditor->tabWidth(), 2);
  Exit();
  WriteIni("[Settings]\nTabWidth=0\n");
  Start();
  EXPECT_EQ(form->fEditor->tabWidth(), 1);
  Exit();
  WriteIni("[Settings]\nTabWidth=$8\n");
  Start();
  EXPECT_EQ(form->fEditor->tabWidth(), 8);
}

TEST_F(SettingsFileTest, AlignmentKeepsItsLowByte) {
  WriteIni("[Settings]\nAusrichtung=258\nNullBreite=-7\n");
  Start();
  EXPECT_EQ(kova::ProcessDiagramMetrics().Ausrichtung, 2);
  EXPECT_EQ(kova::ProcessDiagramMetrics().NullBreite, -7);
}

TEST_F(SettingsFileTest, BooleansReadAsNumbers) {
  WriteIni("[Settings]\nZeilenumbruch=2\nKommentare=ja\n[Search]\ngbSearchTextAtCaret=ja\n"
           "gbSearchRegex=2\n");
  Start();
  EXPECT_TRUE(form->WordWrapAction->isChecked());
  EXPECT_EQ(form->fEditor->wrapMode(), QsciScintilla::WrapWord);
  EXPECT_FALSE(form->CommentsAction->isChecked());
  EXPECT_TRUE(gbSearchTextAtCaret);
  EXPECT_TRUE(gbSearchRegex);
}

TEST_F(SettingsFileTest, HistoriesKeepTheirEntriesOnOneLine) {
  WriteIni("[Search]\ngsSearchTextHistory=a#13#10b\ngsSearchText=x#13#10y\n");
  Start();
  EXPECT_EQ(gsSearchTextHistory, "a\r\nb");
  EXPECT_EQ(gsSearchText, "x#13#10y");
  gsReplaceTextHistory = "one#13#10two\r\nthree";
  Exit();
  EXPECT_EQ(Value("Search", "gsSearchTextHistory"), "a#13#10b");
  EXPECT_EQ(Value("Search", "gsReplaceTextHistory"), "one#13#10two#13#10three");
  Start();
  // An entry that held the six characters comes back as two entries.
  EXPECT_EQ(gsReplaceTextHistory, "one\r\ntwo\r\nthree");
}

TEST_F(SettingsFileTest, TextsTheFileCannotHoldAreNotWrittenAsQuestionMarks) {
  Start();
  gsSearchText = QStringLiteral("\u20ac");
  gsSearchTextHistory = QStringLiteral("\u20ac\r\n\u00e4\r\nx\u20ac");
  gsReplaceText = QStringLiteral("\u00e4");
  Exit();
  EXPECT_EQ(Value("Search", "gsSearchText"), "");
  EXPECT_EQ(Value("Search", "gsSearchTextHistory"), "\xe4");
  EXPECT_EQ(Value("Search", "gsReplaceText"), "\xe4");
}

TEST_F(SettingsFileTest, BoldItalicDiagramFontSurvivesARestart) {
  Start();
  kova::DiagramFont font = form->fImages[0]->BitmapCanvas().Font();
  font.bold = true;
  font.italic = true;
  font.size = 12;
  form->fImages[0]->BitmapCanvas().SetFont(font);
  Restart();
  EXPECT_EQ(Value("Settings", "NSDFont.Font.Style.Bold"), "1");
  EXPECT_EQ(Value("Settings", "NSDFont.Font.Style.Italic"), "1");
  EXPECT_EQ(Value("Settings", "NSDFont.Font.Style.Underline"), "0");
  EXPECT_EQ(Value("Settings", "NSDFont.Font.Style.StrikeOut"), "0");
  EXPECT_EQ(form->fImages[0]->BitmapCanvas().Font(), font);
}

TEST_F(SettingsFileTest, EditorFontSurvivesARestart) {
  Start();
  kova::DiagramFont font = form->EditorFont();
  font.name = QStringLiteral("DejaVu Sans Mono");
  font.size = 13;
  font.color = QColor(0x80, 0, 0);
  font.underline = true;
  form->SetEditorFont(font);
  Restart();
  EXPECT_EQ(form->EditorFont(), font);
  EXPECT_EQ(form->fEditor->EditorFont().pointSize(), 13);
  EXPECT_TRUE(form->fEditor->EditorFont().underline());
  EXPECT_EQ(Value("Settings", "EditFont.Font.Color"), "128");
}

TEST_F(SettingsFileTest, SystemFontColoursShowThePaletteAndKeepTheirNumber) {
  // "Window text" and "highlighted text".
  WriteIni("[Settings]\nEditFont.Font.Color=-16777208\nNSDFont.Font.Color=-16777202\n");
  Start();
  const QPalette palette = QGuiApplication::palette();
  EXPECT_EQ(form->fEditor->color(), palette.color(QPalette::WindowText));
  EXPECT_EQ(form->fShellHighlighter->color(QsciLexerBash::Default), palette.color(QPalette::WindowText));
  EXPECT_EQ(form->fImages[0]->BitmapCanvas().Font().color.Shown(), palette.color(QPalette::HighlightedText));
  Exit();
  EXPECT_EQ(Value("Settings", "EditFont.Font.Color"), "-16777208");
  EXPECT_EQ(Value("Settings", "NSDFont.Font.Color"), "-16777202");
}

TEST_F(SettingsFileTest, ViewSettingsSurviveARestart) {
  Start();
  form->resize(700, 450);
  form->move(20, 30);
  form->EditLinksMenu->trigger();
  form->WordWrapAction->trigger();
  form->CommentsAction->trigger();
  form->KovaToolBar->show();
  form->EditToolBar->show();
  form->HintsMenu->trigger();
  form->BigIconsMenu->trigger();
  kova::ProcessDiagramMetrics().AnweisungsHoehe = 41;
  kova::ProcessDiagramMetrics().Ausrichtung = 0;
  form->show();
  QApplication::processEvents();
  std::vector<QPoint> places;
  for (kova::ToolBar* band : form->ToolBars()) places.push_back(form->ToolBarPlace(band));
  form->close();
  Restart();
  EXPECT_EQ(form->size(), QSize(700, 450));
  EXPECT_TRUE(form->EditLinksMenu->isChecked());
  EXPECT_TRUE(form->WordWrapAction->isChecked());
  EXPECT_TRUE(form->CommentsAction->isChecked());
  EXPECT_TRUE(form->HintState());
  EXPECT_TRUE(form->BigIconsMenu->isChecked());
  EXPECT_EQ(form->KovaToolBar->iconSize(), QSize(24, 24));
  EXPECT_FALSE(form->KovaToolBar->isHidden());
  EXPECT_FALSE(form->EditToolBar->isHidden());
  EXPECT_TRUE(form->FileToolBar->isHidden());
  EXPECT_EQ(kova::ProcessDiagramMetrics().AnweisungsHoehe, 41);
  EXPECT_EQ(kova::ProcessDiagramMetrics().Ausrichtung, 0);
  form->show();
  QApplication::processEvents();
  for (std::size_t i = 0; i < places.size(); ++i) {
    kova::ToolBar* band = form->ToolBars()[i];
    if (!band->isHidden()) {
      EXPECT_EQ(form->ToolBarPlace(band), places[i]) << band->objectName().toStdString();
    }
  }
}

TEST_F(SettingsFileTest, ExtremeNumbersStayWithinWhatTheWindowSystemHolds) {
  WriteIni("[Bounds]\nLeft=2147483647\nTop=-2147483648\nWidth=-2147483648\nHeight=2147483647\n"
           "[Settings]\nEdit=links\nFileToolBar.Visible=1\nFileToolBar.Top=-2147483648\n"
           "KovaToolBar.Visible=1\nKovaToolBar.Left=2147483647\nKovaToolBar.Top=2147483647\n"
           "EditFont.Font.Size=-2147483648\nNSDFont.Font.Size=2147483647\n"
           "NSDFont.Font.Orientation=-2147483648\nNSDFont.Font.Color=-2147483648\n"
           "AnweisungsHoehe=2147483647\nSchleifenBreite=-2147483648\nAufrufBreite=2147483647\n"
           "LeerAbstand=-2147483648\nNullBreite=2147483647\nAbstand=-2147483648\n");
  Start();
  EXPECT_EQ(form->pos(), QPoint(32767, -32767));
  EXPECT_EQ(form->fEditor->EditorFont().pointSize(), 1000);
  kova::ModalAnswerer answerer([](QDialog& dialog) {
    auto& settings = static_cast<TSettingsForm&>(dialog);
    settings.EditFontBtnClick(settings.EditFontBtn);
    settings.EditFontBtnClick(settings.NSDForntBtn);
  });
  form->SettingsAction->trigger();
  ASSERT_EQ(dialogs.fontRequests.size(), 2u);
  EXPECT_EQ(dialogs.fontRequests[0].pointSize(), 1000);
  EXPECT_EQ(dialogs.fontRequests[1].pointSize(), 1000);
  form->fEditor->setText("echo a\nif b\nwhile c\ndone\nfi\n");
  form->RunAction->trigger();
  form->show();
  QApplication::processEvents();
  form->close();
  Exit();
  for (const char* key : {"Left", "Top", "Width", "Height"}) {
    const int stored = std::stoi(Value("Bounds", key));
    EXPECT_LE(std::abs(stored), kova::kMaxWindowCoordinate) << key;
  }
  for (const std::string& key : ToolBarKeys()) {
    const int stored = std::stoi(Value("Settings", key));
    EXPECT_LE(std::abs(stored), kova::kMaxWindowCoordinate) << key;
  }
  EXPECT_EQ(Value("Settings", "NullBreite"), "2147483647");
  EXPECT_EQ(Value("Settings", "Abstand"), "-2147483648");
  EXPECT_EQ(Value("Settings", "NSDFont.Font.Size"), "2147483647");
}

TEST_F(SettingsFileTest, KeysThisProgramDoesNotUseStay) {
  WriteIni("; mine\n[Extra]\nKeep=1\n[Settings]\nOwnKey=  spaced value\nEdit=rechts\n");
  Start();
  Exit();
  const std::string content = kova::FileBytes(IniPath());
  EXPECT_EQ(content.rfind("; mine\n[Extra]\nKeep=1\n[Settings]\nOwnKey=  spaced value\nEdit=rechts\n", 0), 0u);
}

TEST_F(SettingsFileTest, RefusedWriteIsReportedAndTheWindowStillCloses) {
  const QString path = folder.filePath("missing/KOVA.ini");
  form = std::make_unique<TMainForm>(path);
  CloseExpectingTheOneError(QStringLiteral("In %1 kann nicht geschrieben werden: Ungültiger Dateiname.").arg(path));

  // Write-protected, in a folder that would let the user replace it; under
  // /tmp, so that the unprivileged user can reach it.
  if (geteuid() != 0) GTEST_SKIP() << "files of another user can only be made as root";
  QTemporaryDir own(QStringLiteral("/tmp/kova-settings-XXXXXX"));
  ASSERT_TRUE(own.isValid());
  const QString protectedIni = own.filePath("KOVA.ini");
  const std::string content = "[Settings]\nEdit=rechts\n";
  kova::PutFileBytes(protectedIni, content);
  for (const QString& owned : {own.path(), protectedIni}) {
    ASSERT_EQ(chown(QFile::encodeName(owned).constData(), kova::kUnprivilegedUser, kova::kUnprivilegedUser), 0);
  }
  ASSERT_EQ(chmod(QFile::encodeName(protectedIni).constData(), 0444), 0);
  form = std::make_unique<TMainForm>(protectedIni);
  form->show();
  const std::string said = kova::AsUnprivilegedUser([&] {
    form->close();
    form.reset();
    std::string texts;
    for (const kova::MessageRequest& message : dialogs.messages) texts += message.text.toStdString() + "\n";
    return texts;
  });
  EXPECT_EQ(said, QStringLiteral("In %1 kann nicht geschrieben werden: Dateizugriff verweigert.\n")
                      .arg(protectedIni)
                      .toStdString());
  EXPECT_EQ(kova::FileBytes(protectedIni), content);
  // This process's copy of the window goes while its folder is still there.
  form.reset();
  dialogs.messages.clear();
}

TEST_F(SettingsFileTest, FileThatCannotBeReadIsReportedAndKept) {
  ASSERT_EQ(mkfifo(QFile::encodeName(IniPath()).constData(), 0666), 0);
  Start();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, kova::MessageKind::Error);
  EXPECT_EQ(dialogs.messages[0].text,
            QStringLiteral("Datei %1 kann nicht geöffnet werden. Keine gewöhnliche Datei (Pipe, Gerät "
                           "oder Socket). Es gelten die Voreinstellungen, und die Datei wird beim "
                           "Beenden nicht überschrieben.")
                .arg(IniPath()));
  EXPECT_FALSE(form->MenuToolBar->isHidden());
  EXPECT_TRUE(form->BashSyntaxAction->isChecked());
  // The exit says again that the file is kept.
  const QString notReadAtStart = QStringLiteral("In %1 kann nicht geschrieben werden: Die Datei wurde beim "
                                                "Start nicht gelesen und wird deshalb nicht überschrieben.")
                                     .arg(IniPath());
  dialogs.messages.clear();
  CloseExpectingTheOneError(notReadAtStart);
  struct stat info {};
  ASSERT_EQ(lstat(QFile::encodeName(IniPath()).constData(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));

  // Kept also where it could be read by the time of the exit.
  ASSERT_EQ(unlink(QFile::encodeName(IniPath()).constData()), 0);
  WriteIni("[Settings]\nEdit=oben\n" + std::string(size_t{5} << 20, ';') + "\n");
  Start();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  dialogs.messages.clear();
  WriteIni("[Settings]\nEdit=links\n");
  CloseExpectingTheOneError(notReadAtStart);
  EXPECT_EQ(kova::FileBytes(IniPath()), "[Settings]\nEdit=links\n");

  // Locked by another program at start, let go long before the exit.
  {
    const kova::ShortLockPatience patience;
    const kova::OtherProgramsLocks other({IniPath()});
    ASSERT_TRUE(other.Held());
    Start();
  }
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Ein anderes Programm hält die Datei gesperrt.")));
  dialogs.messages.clear();
  CloseExpectingTheOneError(notReadAtStart);
  EXPECT_EQ(kova::FileBytes(IniPath()), "[Settings]\nEdit=links\n");
}

TEST_F(SettingsFileTest, FileThatCannotBeReadAgainAtExitIsReportedAndKept) {
  const auto closeAndExpect = [&](const QString& reason) {
    CloseExpectingTheOneError(
        QStringLiteral("In %1 kann nicht geschrieben werden: %2").arg(IniPath(), reason));
  };
  // Another program makes it larger than a settings file may be.
  WriteIni("[Settings]\nEdit=rechts\n");
  Start();
  const std::string large = "[Settings]\nEdit=oben\n" + std::string(size_t{5} << 20, ';') + "\n";
  WriteIni(large);
  closeAndExpect(QStringLiteral("Die Datei ist größer als 4194304 Bytes."));
  EXPECT_EQ(kova::FileBytes(IniPath()), large);

  // Another program keeps it locked past the wait.
  WriteIni("[Settings]\nEdit=rechts\n");
  Start();
  {
    const kova::ShortLockPatience patience;
    const kova::OtherProgramsLocks other({IniPath()});
    ASSERT_TRUE(other.Held());
    closeAndExpect(QStringLiteral("Ein anderes Programm hält die Datei gesperrt."));
  }
  EXPECT_EQ(kova::FileBytes(IniPath()), "[Settings]\nEdit=rechts\n");

  // Another program puts a folder in its place.
  Start();
  ASSERT_EQ(unlink(QFile::encodeName(IniPath()).constData()), 0);
  ASSERT_EQ(mkdir(QFile::encodeName(IniPath()).constData(), 0755), 0);
  closeAndExpect(QStringLiteral("Das Ziel ist ein Ordner, keine Datei."));
  EXPECT_TRUE(QFileInfo(IniPath()).isDir());
}

}  // namespace
