#include "app/window/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <Qsci/qscilexerbash.h>
#include <Qsci/qsciscintilla.h>

#include "app/window/diagram_image.h"
#include "app/platform/dialog_seam.h"
#include "app/platform/error_handler.h"
#include "app/platform/session_end.h"
#include "app/window/program_icon.h"
#include "app/window/tab_set.h"
#include "translate/dom.h"

TMainForm* MainForm = nullptr;

namespace {

// The window's font, which its controls take unless they set their own.
QFont WindowFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  return font;
}

QWidget* MakePanel(const char* name, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return panel;
}

}  // namespace

TMainForm::TMainForm(const QString& iniPath, QWidget* parent) : QMainWindow(parent), fIniPath(iniPath) {
  MainForm = this;
  // Message boxes and file dialogs are centred over this window, also once
  // a file dialog has closed and no window is active.
  kova::SetDialogOwner(this);
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("KOVA - *unbenannt*"));
  // The application's icon, so that every dialog and the info box show it too.
  QApplication::setWindowIcon(kova::ProgramIcon());
  setFont(WindowFont());
  resize(679, 464);
  createFrame();
  createActions();
  createMenus();
  createToolBars();
  createToolBarPopup();
  // An error while building the window is reported and start-up goes on with
  // what was built before it.
  kova::RunGuarded([this] { FormCreate(); });
  answerSessionEnd();
}

TMainForm::~TMainForm() {
  kova::RunGuarded([this] { FormDestroy(); });
  // Whatever FormDestroy did not get to is freed with its parent panel.
  if (MainForm == this) MainForm = nullptr;
}

QString TMainForm::DefaultIniPath() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("KOVA.ini"));
}

void TMainForm::FormCreate() {
  createTreeFactory();
  createEditor();
  createHighlighter();
  placeEditor();
  configureEditor();
  attachEditorStatus();
  createSearchEngines();
  fFileName.clear();
  createImagePane();
  readSettings();
}

void TMainForm::createFrame() {
  Splitter = new QSplitter(Qt::Vertical, this);
  Splitter->setObjectName(QStringLiteral("Splitter"));
  Splitter->setChildrenCollapsible(false);
  setCentralWidget(Splitter);

  ImagePanel = MakePanel("ImagePanel", Splitter);
  TabSet = new kova::TabSet(ImagePanel);
  TabSet->setObjectName(QStringLiteral("TabSet"));
  TabSet->setFont(WindowFont());
  TabSet->SetChangeHandler([this](int newTab, bool& allowChange) { TabSetChange(newTab, allowChange); });
  // The tab bar starts hidden, holding the main program's tab selected.
  TabSet->AddTab(QStringLiteral("Hauptprogramm"));
  TabSet->SetTabIndex(0);
  TabSet->hide();
  ImagePanel->layout()->addWidget(TabSet);

  EditPanel = MakePanel("EditPanel", Splitter);
  StatusBar = new QStatusBar(EditPanel);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);
  for (QLabel*& panel : StatusPanels) {
    panel = new QLabel(StatusBar);
    StatusBar->addWidget(panel);
  }
  EditPanel->layout()->addWidget(StatusBar);

  for (QWidget* panel : {ImagePanel, EditPanel}) panel->setMinimumSize(100, 100);
  Splitter->addWidget(ImagePanel);
  Splitter->addWidget(EditPanel);
}

void TMainForm::createTreeFactory() { fDomImpl = std::make_unique<kova::TDomImplementation>(); }

void TMainForm::createEditor() {
  fEditor = new kova::ScriptEditor(this);
  fEditor->setObjectName(QStringLiteral("fEditor"));
  // The system's text is 8-bit: one byte per character, ISO-8859-1.
  fEditor->setUtf8(false);
}

void TMainForm::createHighlighter() { fShellHighlighter = new QsciLexerBash(this); }

void TMainForm::placeEditor() {
  auto* layout = static_cast<QVBoxLayout*>(EditPanel->layout());
  layout->insertWidget(0, fEditor, 1);
}

void TMainForm::createImagePane() {
  fImages.assign(1, nullptr);
  fScrollBoxes.assign(1, nullptr);
  fScrollBoxes[0] = newScrollBox();
  fImages[0] = new kova::DiagramImage();
  fScrollBoxes[0]->setWidget(fImages[0]);
  // The main diagram's box shows with the window; a function's waits for its tab.
  fillImagePane(fScrollBoxes[0]);
  fScrollBoxes[0]->show();
}

void TMainForm::FormCloseQuery(bool& canClose) { canClose = CanClear(); }

bool TMainForm::mayClose() {
  bool canClose = true;
  if (!kova::RunGuarded([&] { FormCloseQuery(canClose); })) canClose = false;
  return canClose;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // "Nein" at the session's end holds for the closing that ends it only: where
  // the session goes on, the next close asks again.
  if ((fTextGivenUp && kova::SessionEnding()) || mayClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TMainForm::answerSessionEnd() {
  kova::AnswerSessionEnd(this, [this](kova::SessionEnd& session) {
    kova::RunGuarded([&] { SessionEndQuery(session); });
  });
  connect(fEditor, &QsciScintilla::textChanged, this, [this] { fTextGivenUp = false; });
}

void TMainForm::SessionEndQuery(kova::SessionEnd& session) {
  fTextGivenUp = false;
  // Asking for the user makes the session wait; an unmodified text needs no one.
  if (!fEditor->isModified()) return;
  // Where no one may be asked, the text is neither written nor thrown away
  // unasked: the session is asked not to end, as "Abbrechen" does.
  if (!session.AllowsInteraction() || !mayClose()) {
    session.Cancel();
    return;
  }
  fTextGivenUp = true;
}

void TMainForm::FormDestroy() {
  // Images of tabs never chosen have no parent to take them along, so they
  // go also when the settings cannot be written.
  struct FreeDiagrams {
    TMainForm& form;
    ~FreeDiagrams() { form.freeDiagramImages(0); }
  } freeDiagrams{*this};
  writeSettings();
}

void TMainForm::freeDiagramImages(std::size_t firstIndex) {
  for (std::size_t i = fImages.size(); i-- > firstIndex;) {
    if (fImages[i] != nullptr && fCanvas == &fImages[i]->BitmapCanvas()) fCanvas = nullptr;
    delete fImages[i];
    fImages[i] = nullptr;
    delete fScrollBoxes[i];
    fScrollBoxes[i] = nullptr;
  }
}
