// The main window: holds everything the program works on (tree factory,
// editor, highlighter, search engines, file name, diagram images) and every
// command handler. Its methods are spread over main_form_*.cpp by concern;
// each section below belongs to one of those files.
#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <string>
#include <vector>

class QAction;
class QCloseEvent;
class QLabel;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QsciLexerBash;
class QsciScintilla;

namespace kova {
class DiagramImage;
class TabSet;
}  // namespace kova

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // `iniPath` is the settings file read on creation and written on
  // destruction; the program uses "KOVA.ini" beside the executable.
  explicit TMainForm(const QString& iniPath = DefaultIniPath(), QWidget* parent = nullptr);
  ~TMainForm() override;

  static QString DefaultIniPath();

  // Frame (main_form.cpp)
  QWidget* EditPanel = nullptr;
  QWidget* ImagePanel = nullptr;
  QSplitter* Splitter = nullptr;
  QStatusBar* StatusBar = nullptr;
  std::array<QLabel*, 4> StatusPanels{};  // caret, insert mode, modified, search message
  kova::TabSet* TabSet = nullptr;

  void FormCloseQuery(bool& canClose);

  // Run and tabs (main_form_run.cpp)
  void RunActionExecute();
  void TabSetChange(int newTab, bool& allowChange);
  // The translation error report; `line` counts from 0.
  void Fehler(int line, const std::string& lineText, const std::string& errorText);
  void CopyImageActionExecute();
  void SaveImageActionExecute();
  // The editor's text as 8-bit lines, without line breaks.
  std::vector<std::string> EditorLines() const;

  // Commands (main_form_commands.cpp)
  QAction* RunAction = nullptr;
  QAction* SaveImageAction = nullptr;
  QAction* CopyImageAction = nullptr;

  // Editor (main_form_editor.cpp)

  // Files (main_form_files.cpp)
  bool CanClear();

  // Settings file (main_form_settings.cpp)

  // Search (main_form_search.cpp)

  // Dialogs (main_form_dialogs.cpp)

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Frame: the creation steps, in the order the constructor runs them.
  void FormCreate();
  void createTreeFactory();
  void createEditor();
  void createHighlighter();
  void createFrame();
  void placeEditor();
  void createSearchEngines();
  void createImagePane();
  void FormDestroy();
  void freeDiagramImages(std::size_t firstIndex);

  // Run and tabs
  QScrollArea* newScrollBox();
  kova::DiagramImage* newDiagramImage(QScrollArea* scrollBox);
  // The image of the selected tab; image 0 while no function tab is chosen.
  kova::DiagramImage& SelectedImage();

  // Commands
  void createActions();

  // Editor
  void configureEditor();
  void attachEditorStatus();

  // Settings file
  void readSettings();
  void writeSettings();

 public:
  // The window's fields.
  QsciScintilla* fEditor = nullptr;
  QsciLexerBash* fShellHighlighter = nullptr;
  QString fFileName;
  bool fSearchFromCaret = false;
  // The diagram images by tab index and the scroll areas holding them; both
  // lists have the same length, at least 1, and entry 0 lives as long as the
  // window. Neither has an owner: the window frees them itself.
  std::vector<kova::DiagramImage*> fImages;
  std::vector<QScrollArea*> fScrollBoxes;
  QString fIniPath;
};

// The one main window, from the start of its construction to its end.
extern TMainForm* MainForm;
