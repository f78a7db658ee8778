// The main window: holds everything the program works on (tree factory,
// editor, highlighter, search engines, file name, diagram images) and every
// command handler. Its methods are spread over main_form_*.cpp by concern;
// each section below belongs to one of those files.
#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/platform/freed_memory.h"
#include "app/window/image_list.h"
#include "app/editor/script_editor.h"
#include "render/diagram_font.h"

class QAction;
class QCloseEvent;
class QLabel;
class QMenu;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QsciLexerBash;

namespace kova {
class Canvas;
class DiagramImage;
class ProfileFile;
class SessionEnd;
class TDomDocument;
class TDomImplementation;
class TabSet;
class TextSearchEngine;
class ToolBar;
enum class LineBreakFormat : unsigned char;
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
  // The session's question at log-off or shut-down: the close question,
  // where the session manager lets the user be asked.
  void SessionEndQuery(kova::SessionEnd& session);

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
  // The command pictures, one list per size and look; index i is the same
  // picture in all six.
  const kova::ImageList IL16{16, kova::IconVariant::Normal};
  const kova::ImageList IL16d{16, kova::IconVariant::Disabled};
  const kova::ImageList IL16h{16, kova::IconVariant::Hot};
  const kova::ImageList IL24{24, kova::IconVariant::Normal};
  const kova::ImageList IL24d{24, kova::IconVariant::Disabled};
  const kova::ImageList IL24h{24, kova::IconVariant::Hot};

  // The action list, in its order.
  std::vector<QAction*> ActionList;
  QAction* NewAction = nullptr;
  QAction* OpenAction = nullptr;
  QAction* SaveAction = nullptr;
  QAction* SaveAsAction = nullptr;
  QAction* RunAction = nullptr;
  QAction* SaveImageAction = nullptr;
  QAction* CopyImageAction = nullptr;
  QAction* SettingsAction = nullptr;
  QAction* BashSyntaxAction = nullptr;
  QAction* CommentsAction = nullptr;
  QAction* UndoAction = nullptr;
  QAction* RedoAction = nullptr;
  QAction* CutAction = nullptr;
  QAction* CopyAction = nullptr;
  QAction* PasteAction = nullptr;
  QAction* SearchAction = nullptr;
  QAction* ReplaceAction = nullptr;
  QAction* NextSearchAction = nullptr;
  QAction* PrevSearchAction = nullptr;
  QAction* WordWrapAction = nullptr;
  QAction* InfoAction = nullptr;
  QAction* KeysAction = nullptr;

  // The main menu, opened only from the buttons of MenuToolBar, and the items
  // that are not actions of the list. Other code clicks an item with trigger().
  QMenu* FileMenu = nullptr;
  QMenu* KovaMenu = nullptr;
  QMenu* EditMenu = nullptr;
  QMenu* HelpMenu = nullptr;
  QAction* WindowsMenu = nullptr;
  QAction* UnixMenu = nullptr;
  QAction* MacMenu = nullptr;
  QAction* CloseMenu = nullptr;
  QAction* EditObenMenu = nullptr;
  QAction* EditRechtsMenu = nullptr;
  QAction* EditUntenMenu = nullptr;
  QAction* EditLinksMenu = nullptr;

  // The control bar: the window's top tool bar area with five bands.
  kova::ToolBar* MenuToolBar = nullptr;
  kova::ToolBar* FileToolBar = nullptr;
  kova::ToolBar* KovaToolBar = nullptr;
  kova::ToolBar* HelpToolBar = nullptr;
  kova::ToolBar* EditToolBar = nullptr;
  // The five bands in the order of the popup menu's items.
  std::array<kova::ToolBar*, 5> ToolBars() const;
  // A band's left and top in the control bar. Setting them re-arranges the
  // bands: rows by top, left to right within a row.
  QPoint ToolBarPlace(const kova::ToolBar* toolBar) const;
  void SetToolBarPlace(kova::ToolBar* toolBar, QPoint place);

  // The control bar's context menu.
  QMenu* PopupMenu = nullptr;
  QAction* ShowMenuMenu = nullptr;
  QAction* ShowFileMenu = nullptr;
  QAction* ShowKovaMenu = nullptr;
  QAction* ShowEditMenu = nullptr;
  QAction* ShowHelpMenu = nullptr;
  QAction* HintsMenu = nullptr;
  QAction* BigIconsMenu = nullptr;

  void PopupMenuPopup();
  void ShowMenuMenuClick();
  void ShowFileMenuClick();
  void ShowKovaMenuClick();
  void ShowEditMenuClick();
  void ShowHelpMenuClick();
  void HintsMenuClick();
  void BigIconsMenuClick();
  void SetButtonSize(bool big);
  void EditObenMenuClick();
  void EditRechtsMenuClick();
  void EditUntenMenuClick();
  void EditLinksMenuClick();

  // The hint state: the control bar's show-hint flag, which the four icon
  // bands follow. Setting it does what "Hinweise anzeigen" does.
  bool HintState() const { return fControlBarShowHint; }
  void SetHintState(bool showHint);

  // Opens PopupMenu for a right click on the control bar.
  QMenu* createPopupMenu() override;

  // Editor (main_form_editor.cpp)
  void EditorStatusChange(kova::EditorStatusChanges changes);
  void UndoActionExecute();
  void RedoActionExecute();
  void CutActionExecute();
  void CopyActionExecute();
  void PasteActionExecute();
  void WordWrapActionExecute();
  void BashSyntaxActionExecute();
  // Set the editor state and the action's check together, without running
  // the action (for the settings file, the settings dialog and file loading).
  void SetWordWrap(bool on);
  void SetBashHighlighting(bool on);

  // Files (main_form_files.cpp)
  bool CanClear();
  void NewActionExecute();
  void OpenActionExecute();
  void SaveActionExecute();
  void SaveAsActionExecute();
  void CloseMenuClick();
  // Writes the editor's text to the file, with the break of the checked
  // line-break item between lines and none after the last.
  void SaveToFileWithLineBreaks(const QString& fileName);

  // Settings file (main_form_settings.cpp)
  // The editor font as the settings file and the settings dialog see it,
  // with the colour and orientation that the editor's QFont cannot hold.
  const kova::DiagramFont& EditorFont() const { return fEditFont; }
  void SetEditorFont(const kova::DiagramFont& font);

  // Search (main_form_search.cpp)
  void SearchActionExecute();
  void ReplaceActionExecute();
  void NextSearchActionExecute();
  void PrevSearchActionExecute();
  // Shows the search dialog, or the replace dialog when `replace`, stores
  // what the user confirmed and searches with it.
  void ShowSearchReplaceDialog(bool replace);
  // One search (or, with `replace`, one replace-all) with the stored state;
  // nothing found is reported in the status bar with a beep.
  void DoSearchReplaceText(bool replace, bool backwards);
  kova::TextSearchEngine* fRegexSearch = nullptr;
  kova::TextSearchEngine* fSearch = nullptr;

  // Dialogs (main_form_dialogs.cpp)
  void SettingsActionExecute();
  void KeysActionExecute();
  void InfoActionExecute();

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
  void answerSessionEnd();
  // The close question; a save that fails keeps the window.
  bool mayClose();
  // The user let the text go at the session's end, so the windows closed as
  // it ends ask nothing more; an edit takes the answer back.
  bool fTextGivenUp = false;
  void FormDestroy();
  void freeDiagramImages(std::size_t firstIndex);

  // Run and tabs
  QScrollArea* newScrollBox();
  // Puts `scrollBox` into the space the tab bar leaves, in place of the one
  // there before.
  void fillImagePane(QScrollArea* scrollBox);
  // Makes function image `index` ready for drawing, new or kept from the
  // last run: hidden, scrolled to its top left, with the diagram font. Its
  // scroll box is made when its tab is first chosen.
  void prepareFunctionImage(std::size_t index);
  // The image of the selected tab; image 0 while no function tab is chosen.
  kova::DiagramImage& SelectedImage();
  // Sizes the image's bitmap to the document's diagram and draws it there.
  void drawDiagram(kova::TDomDocument& document, kova::DiagramImage& image);
  void showMainDiagramOnly();
  // What this window's runs freed; only runs free diagrams.
  kova::FreedMemory fFreedMemory;

  // Commands
  void createActions();
  void createMenus();
  void createToolBars();
  void createToolBarPopup();
  // Opens PopupMenu for a right click on a band or between the bands.
  void popupControlBarMenu(QPoint globalPlace);
  void applyToolBarButtonSize(kova::ToolBar* toolBar, bool big);
  void arrangeControlBar();
  void placeEditorPanel(Qt::Edge edge, QAction* item);
  bool fControlBarShowHint = false;

  // Editor
  void configureEditor();
  void attachEditorStatus();

  // Files
  void setCurrentFileName(const QString& fileName);
  void applyFilterHighlighting(int chosenFilter, int bashScriptFilter, int textFileFilter);
  void checkLineBreakItem(kova::LineBreakFormat format);

  // Settings file: reading in its order, writing in its own.
  void readSettings();
  void readBoundsSettings(const kova::ProfileFile& ini);
  void readEditorSettings(const kova::ProfileFile& ini);
  void readToolBarSettings(const kova::ProfileFile& ini);
  void readSearchSettings(const kova::ProfileFile& ini);
  void readFontSettings(const kova::ProfileFile& ini);
  void readMetricSettings(const kova::ProfileFile& ini);
  void writeSettings();
  void writeBoundsSettings(kova::ProfileFile& ini) const;
  void writeEditorSettings(kova::ProfileFile& ini) const;
  void writeToolBarSettings(kova::ProfileFile& ini) const;
  void writeSearchSettings(kova::ProfileFile& ini) const;
  void writeFontSettings(kova::ProfileFile& ini) const;
  void writeMetricSettings(kova::ProfileFile& ini) const;
  kova::DiagramFont fEditFont;
  // Whether the file could not be read at start: as the user was told then,
  // it is left as it is at exit, and the exit says so again.
  bool fIniRefused = false;

 public:
  // The window's fields.
  std::unique_ptr<kova::TDomImplementation> fDomImpl;
  // The canvas being drawn on; borrowed, nothing until the first drawing.
  kova::Canvas* fCanvas = nullptr;
  kova::ScriptEditor* fEditor = nullptr;
  QsciLexerBash* fShellHighlighter = nullptr;
  QString fFileName;
  bool fSearchFromCaret = false;
  // The diagram images by tab index and the scroll areas holding them; both
  // lists have the same length, at least 1, and entry 0 lives as long as the
  // window. Neither has an owner: the window frees them itself. A function's
  // scroll box is null until its tab is first chosen; its image, parentless
  // until then, moves into the box.
  std::vector<kova::DiagramImage*> fImages;
  std::vector<QScrollArea*> fScrollBoxes;
  QString fIniPath;
};

// The one main window, from the start of its construction to its end.
extern TMainForm* MainForm;

// The tab caption of a function diagram from its header's caption: trimmed,
// without a leading "function" or "funktion" (exact case) and without one
// trailing "{"; what is left is not trimmed again.
std::string StripFunctionCaption(const std::string& caption);
