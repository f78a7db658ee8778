// The command surface: the action list, the main menu behind the menu
// toolbar, the five toolbars of the control bar with their context menu, the
// icon size and the editor position.
#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QLayout>
#include <QMenu>
#include <QSplitter>

#include <algorithm>
#include <span>

#include "app/platform/error_handler.h"
#include "app/window/main_form.h"
#include "app/window/tool_bar.h"

namespace {

using Handler = void (TMainForm::*)();
using ActionField = QAction* TMainForm::*;

enum ActionFlags { kPlain = 0, kAutoCheck = 1, kStartsDisabled = 2 };

struct ActionRow {
  ActionField field;
  const char* name;
  const char* caption;
  QKeyCombination shortcut;
  int image;
  int flags;
  Handler handler;
};

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

// The action list in its order. CommentsAction redraws through the run, so
// that switching comments on or off shows at once.
const ActionRow kActions[] = {
    {&TMainForm::NewAction, "NewAction", "Neu", kCtrl | Qt::Key_N, 0, kPlain,
     &TMainForm::NewActionExecute},
    {&TMainForm::OpenAction, "OpenAction", "Öffnen...", kCtrl | Qt::Key_O, 1, kPlain,
     &TMainForm::OpenActionExecute},
    {&TMainForm::SaveAction, "SaveAction", "Speichern", kCtrl | Qt::Key_S, 2, kPlain,
     &TMainForm::SaveActionExecute},
    {&TMainForm::SaveAsAction, "SaveAsAction", "Speichern unter...", kCtrlShift | Qt::Key_S, 5,
     kPlain, &TMainForm::SaveAsActionExecute},
    {&TMainForm::RunAction, "RunAction", "NSD erzeugen", QKeyCombination(Qt::Key_F9), 3, kPlain,
     &TMainForm::RunActionExecute},
    {&TMainForm::SaveImageAction, "SaveImageAction", "als Grafik speichern...",
     kCtrlAlt | Qt::Key_S, 5, kPlain, &TMainForm::SaveImageActionExecute},
    {&TMainForm::CopyImageAction, "CopyImageAction", "als Grafik kopieren...",
     kCtrlAlt | Qt::Key_C, 4, kPlain, &TMainForm::CopyImageActionExecute},
    {&TMainForm::SettingsAction, "SettingsAction", "Einstellungen...",
     QKeyCombination(Qt::Key_F4), 6, kPlain, &TMainForm::SettingsActionExecute},
    {&TMainForm::BashSyntaxAction, "BashSyntaxAction", "Bash-Syntax hervorheben",
     kCtrl | Qt::Key_B, 7, kAutoCheck, &TMainForm::BashSyntaxActionExecute},
    {&TMainForm::CommentsAction, "CommentsAction", "Kommentare übernehmen", kCtrl | Qt::Key_K, 8,
     kAutoCheck, &TMainForm::RunActionExecute},
    {&TMainForm::UndoAction, "UndoAction", "Rückgängig", kCtrl | Qt::Key_Z, 9, kStartsDisabled,
     &TMainForm::UndoActionExecute},
    {&TMainForm::RedoAction, "RedoAction", "Wiederherstellen", kCtrlShift | Qt::Key_Z, 10,
     kStartsDisabled, &TMainForm::RedoActionExecute},
    {&TMainForm::CutAction, "CutAction", "Ausschneiden", kCtrl | Qt::Key_X, 11, kPlain,
     &TMainForm::CutActionExecute},
    {&TMainForm::CopyAction, "CopyAction", "Kopieren", kCtrl | Qt::Key_C, 12, kPlain,
     &TMainForm::CopyActionExecute},
    {&TMainForm::PasteAction, "PasteAction", "Einfügen", kCtrl | Qt::Key_V, 13, kPlain,
     &TMainForm::PasteActionExecute},
    {&TMainForm::SearchAction, "SearchAction", "Suchen...", kCtrl | Qt::Key_F, 14, kPlain,
     &TMainForm::SearchActionExecute},
    {&TMainForm::ReplaceAction, "ReplaceAction", "Ersetzen...", kCtrl | Qt::Key_R, 15, kPlain,
     &TMainForm::ReplaceActionExecute},
    {&TMainForm::NextSearchAction, "NextSearchAction", "nächstes Vorkommen suchen",
     QKeyCombination(Qt::Key_F3), 16, kPlain, &TMainForm::NextSearchActionExecute},
    {&TMainForm::PrevSearchAction, "PrevSearchAction", "vorheriges Vorkommen suchen",
     Qt::ShiftModifier | Qt::Key_F3, 17, kPlain, &TMainForm::PrevSearchActionExecute},
    {&TMainForm::WordWrapAction, "WordWrapAction", "Zeilenumbruch", kCtrl | Qt::Key_W, 18,
     kAutoCheck, &TMainForm::WordWrapActionExecute},
    {&TMainForm::InfoAction, "InfoAction", "Info...", kCtrl | Qt::Key_F1, 20, kPlain,
     &TMainForm::InfoActionExecute},
    {&TMainForm::KeysAction, "KeysAction", "Schlüssel...", QKeyCombination(Qt::Key_F1), 19, kPlain,
     &TMainForm::KeysActionExecute},
};

// A toolbar button and its own hint; a row without an action is a separator.
struct ButtonRow {
  const char* name;
  ActionField action;
  const char* hint;
};

const ButtonRow kFileButtons[] = {
    {"NewTB", &TMainForm::NewAction, "eine neue Datei anlegen"},
    {"OpenTB", &TMainForm::OpenAction, "ein Unix Shell Script oder eine Textdatei öffnen"},
    {"SaveTB", &TMainForm::SaveAction, "die aktuell offene Datei unter dem selben Namen speichern"},
    {"SaveAsTB", &TMainForm::SaveAsAction,
     "die aktuell offene Datei unter einem neuen Namen speichern"},
};

const ButtonRow kKovaButtons[] = {
    {"RunTB", &TMainForm::RunAction,
     "die Ansicht des Struktogramms an Änderungen im Editor anpassen"},
    {"ToolButton17", nullptr, nullptr},
    {"SaveImageTB", &TMainForm::SaveImageAction,
     "das gerade zu sehende Struktogramm als Bild speichern"},
    {"CopyImageTB", &TMainForm::CopyImageAction,
     "das gerade zu sehende Struktogramm als Bild in die Zwischenablage kopieren"},
    {"ToolButton20", nullptr, nullptr},
    {"SettingsTB", &TMainForm::SettingsAction,
     "das Verhalten des Editors und das Aussehen der Struktogramme beeinflussen"},
    {"BashSyntaxTB", &TMainForm::BashSyntaxAction,
     "die Syntaxhervorhebung von Bash Schlüsselwörtern im Editor aktivieren"},
    {"KommentareTB", &TMainForm::CommentsAction,
     "Kommentare aus dem Editor mit in das Struktogramm übernehmen"},
};

const ButtonRow kHelpButtons[] = {
    {"InfoTB", &TMainForm::InfoAction, "Informationen über KOVA anzeigen"},
    {"KeysTB", &TMainForm::KeysAction,
     "die Schlüsselwörter anzeigen, mit denen das Aussehen des Struktogrammes im Editor "
     "gesteuert wird"},
};

const ButtonRow kEditButtons[] = {
    {"UndoTB", &TMainForm::UndoAction, "die letzte Aktion rückgängig machen"},
    {"ResoTB", &TMainForm::RedoAction, "die zuletzt rückgängig gemachte Aktion wiederherstellen"},
    {"ToolButton5", nullptr, nullptr},
    {"CutTB", &TMainForm::CutAction,
     "den im Editor markierten Text in die Zwischenablage kopieren und entfernen"},
    {"CopyTB", &TMainForm::CopyAction, "den im Editor markierten Text in die Zwischenablage kopieren"},
    {"PasteTB", &TMainForm::PasteAction,
     "Text aus der Zwischenablage an der aktuellen Cursor-Position einfügen"},
    {"ToolButton9", nullptr, nullptr},
    {"SearchTB", &TMainForm::SearchAction, "einen Begriff oder regulären Ausdruck im Editor suchen"},
    {"ReplaceTB", &TMainForm::ReplaceAction,
     "einen Begriff oder Ausdruck im Editor suchen und ersetzen"},
    {"NextSearchTB", &TMainForm::NextSearchAction, "das nächste vorkommen der Suchkriterien finden"},
    {"PrevSearchTB", &TMainForm::PrevSearchAction,
     "ein vorheriges Vorkommen der Suchkriterien finden"},
    {"ToolButton14", nullptr, nullptr},
    {"WordWrapTB", &TMainForm::WordWrapAction,
     "den automatischen Zeilenumbruch im Editor ein- bzw. ausschalten"},
};

constexpr int kSplitterWidth = 3;

// Height of a button with 16-pixel images, and of a caption button.
constexpr int kSmallButtonHeight = 22;
constexpr int kCaptionButtonHeight = 21;

QMenu* NewMenu(const char* name, const char* title, QWidget* parent) {
  auto* menu = new QMenu(QString::fromUtf8(title), parent);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

void AddSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// A menu item of its own, not an action of the list.
QAction* NewMenuItem(TMainForm* form, QMenu* menu, const char* name, const char* caption,
                     const QKeySequence& shortcut, Handler handler) {
  auto* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(QString::fromLatin1(name));
  item->setShortcut(shortcut);
  if (handler != nullptr) {
    QObject::connect(item, &QAction::triggered, form,
                     kova::Guarded([form, handler] { (form->*handler)(); }));
  }
  return item;
}

kova::ToolBar* NewIconToolBar(TMainForm* form, const char* name, std::span<const ButtonRow> buttons) {
  auto* toolBar = new kova::ToolBar(name, form);
  for (const ButtonRow& row : buttons) {
    if (row.action == nullptr) {
      toolBar->AddSeparator(row.name);
    } else {
      toolBar->AddButton(row.name, form->*row.action, QString::fromUtf8(row.hint));
    }
  }
  toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  return toolBar;
}

}  // namespace

void TMainForm::createActions() {
  for (const ActionRow& row : kActions) {
    auto* action = new QAction(QString::fromUtf8(row.caption), this);
    action->setObjectName(QString::fromLatin1(row.name));
    action->setShortcut(QKeySequence(row.shortcut));
    action->setIcon(kova::CombinedIcon(row.image, {&IL16, &IL16d, &IL16h, &IL24, &IL24d, &IL24h}));
    // A checkable action flips its check before `triggered` runs the handler.
    action->setCheckable((row.flags & kAutoCheck) != 0);
    action->setEnabled((row.flags & kStartsDisabled) == 0);
    connect(action, &QAction::triggered, this,
            kova::Guarded([this, handler = row.handler] { (this->*handler)(); }));
    // Added to the window, the shortcut acts wherever the focus is in it.
    addAction(action);
    this->*row.field = action;
    ActionList.push_back(action);
  }
}

void TMainForm::createMenus() {
  FileMenu = NewMenu("FileMenu", "Datei", this);
  FileMenu->addActions({NewAction, OpenAction, SaveAction, SaveAsAction});
  AddSeparator(FileMenu, "N9");
  QMenu* lineBreaks = FileMenu->addMenu(QStringLiteral("Zeilenumbruchformat"));
  lineBreaks->setObjectName(QStringLiteral("Zeilenumbruchformat1"));
  // Radio items that can all be unchecked: choosing the checked one again
  // removes its check.
  auto* lineBreakGroup = new QActionGroup(this);
  lineBreakGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  WindowsMenu = NewMenuItem(this, lineBreaks, "WindowsMenu", "Windows", kCtrlShift | Qt::Key_W, nullptr);
  UnixMenu = NewMenuItem(this, lineBreaks, "UnixMenu", "Unix", kCtrlShift | Qt::Key_U, nullptr);
  MacMenu = NewMenuItem(this, lineBreaks, "MacMenu", "Mac", kCtrlShift | Qt::Key_M, nullptr);
  for (QAction* item : {WindowsMenu, UnixMenu, MacMenu}) {
    item->setCheckable(true);
    lineBreakGroup->addAction(item);
    // The line-break keys choose their item wherever the focus is in the
    // window, also while the menu toolbar is hidden.
    addAction(item);
  }
  WindowsMenu->setChecked(true);
  AddSeparator(FileMenu, "N2");
  CloseMenu = NewMenuItem(this, FileMenu, "CloseMenu", "Beenden", Qt::AltModifier | Qt::Key_F4,
                          &TMainForm::CloseMenuClick);

  KovaMenu = NewMenu("KovaMenu", "KOVA", this);
  KovaMenu->addAction(RunAction);
  AddSeparator(KovaMenu, "N6");
  KovaMenu->addActions({SaveImageAction, CopyImageAction});
  AddSeparator(KovaMenu, "N7");
  auto* positionGroup = new QActionGroup(this);
  EditObenMenu = NewMenuItem(this, KovaMenu, "EditObenMenu", "Editor oben", {}, &TMainForm::EditObenMenuClick);
  EditRechtsMenu =
      NewMenuItem(this, KovaMenu, "EditRechtsMenu", "Editor rechts", {}, &TMainForm::EditRechtsMenuClick);
  EditUntenMenu =
      NewMenuItem(this, KovaMenu, "EditUntenMenu", "Editor unten", {}, &TMainForm::EditUntenMenuClick);
  EditLinksMenu =
      NewMenuItem(this, KovaMenu, "EditLinksMenu", "Editor links", {}, &TMainForm::EditLinksMenuClick);
  for (QAction* item : {EditObenMenu, EditRechtsMenu, EditUntenMenu, EditLinksMenu}) {
    item->setCheckable(true);
    positionGroup->addAction(item);
  }
  AddSeparator(KovaMenu, "N8");
  KovaMenu->addActions({SettingsAction, BashSyntaxAction, CommentsAction});

  EditMenu = NewMenu("EditMenu", "&Bearbeiten", this);
  EditMenu->addActions({UndoAction, RedoAction});
  AddSeparator(EditMenu, "N5");
  EditMenu->addActions({CutAction, CopyAction, PasteAction});
  AddSeparator(EditMenu, "N4");
  EditMenu->addActions({SearchAction, ReplaceAction, NextSearchAction, PrevSearchAction});
  AddSeparator(EditMenu, "N3");
  EditMenu->addAction(WordWrapAction);

  HelpMenu = NewMenu("HelpMenu", "?", this);
  HelpMenu->addActions({InfoAction, KeysAction});
}

void TMainForm::createToolBars() {
  MenuToolBar = new kova::ToolBar("MenuToolBar", this);
  int button = 1;
  for (QMenu* menu : {FileMenu, KovaMenu, EditMenu, HelpMenu}) {
    const QByteArray name = "ToolButton" + QByteArray::number(button++);
    MenuToolBar->AddCaptionButton(name.constData(), menu->title(), menu)
        ->setFixedHeight(kCaptionButtonHeight);
  }
  FileToolBar = NewIconToolBar(this, "FileToolBar", kFileButtons);
  KovaToolBar = NewIconToolBar(this, "KovaToolBar", kKovaButtons);
  HelpToolBar = NewIconToolBar(this, "HelpToolBar", kHelpButtons);
  EditToolBar = NewIconToolBar(this, "EditToolBar", kEditButtons);
  SetButtonSize(false);

  // Three rows: the menu, then files, KOVA and help, then editing. The bands
  // move within the control bar; only the menu toolbar can float.
  MenuToolBar->SetPlace({11, 2});
  FileToolBar->SetPlace({11, 27});
  KovaToolBar->SetPlace({118, 27});
  HelpToolBar->SetPlace({286, 27});
  EditToolBar->SetPlace({11, 53});
  for (kova::ToolBar* toolBar : ToolBars()) {
    toolBar->setAllowedAreas(Qt::TopToolBarArea);
    toolBar->setFloatable(toolBar == MenuToolBar);
    // Hidden until the settings file shows them.
    toolBar->hide();
  }
  arrangeControlBar();
}

QPoint TMainForm::ToolBarPlace(const kova::ToolBar* toolBar) const { return toolBar->Place(); }

void TMainForm::SetToolBarPlace(kova::ToolBar* toolBar, QPoint place) {
  toolBar->SetPlace(place);
  arrangeControlBar();
}

void TMainForm::arrangeControlBar() {
  // A band whose top lies less than this below the first top of a row joins
  // that row.
  constexpr int kRowTolerance = 12;
  std::array<kova::ToolBar*, 5> bands = ToolBars();
  std::stable_sort(bands.begin(), bands.end(), [](const kova::ToolBar* a, const kova::ToolBar* b) {
    return a->Place().y() < b->Place().y();
  });
  std::vector<std::vector<kova::ToolBar*>> rows;
  for (kova::ToolBar* band : bands) {
    if (rows.empty() || band->Place().y() - rows.back().front()->Place().y() >= kRowTolerance) {
      rows.emplace_back();
    }
    rows.back().push_back(band);
  }
  // Taking every band out first lets each go back into a fresh row; taking
  // one out hides it, so each gets its visibility back.
  std::array<bool, 5> hidden{};
  for (std::size_t i = 0; i < bands.size(); ++i) {
    hidden[i] = bands[i]->isHidden();
    removeToolBar(bands[i]);
  }
  for (std::vector<kova::ToolBar*>& row : rows) {
    std::stable_sort(row.begin(), row.end(), [](const kova::ToolBar* a, const kova::ToolBar* b) {
      return a->Place().x() < b->Place().x();
    });
    if (&row != &rows.front()) addToolBarBreak(Qt::TopToolBarArea);
    for (kova::ToolBar* band : row) {
      const QPoint place = band->Place();
      addToolBar(Qt::TopToolBarArea, band);
      // Adding it moved nothing on screen yet; keep the place it was given.
      band->SetPlace(place);
    }
  }
  for (std::size_t i = 0; i < bands.size(); ++i) bands[i]->setHidden(hidden[i]);
}

std::array<kova::ToolBar*, 5> TMainForm::ToolBars() const {
  return {MenuToolBar, FileToolBar, KovaToolBar, EditToolBar, HelpToolBar};
}

void TMainForm::createToolBarPopup() {
  PopupMenu = NewMenu("PopupMenu", "", this);
  const auto addItem = [this](const char* name, const char* caption, Handler handler) {
    QAction* item = NewMenuItem(this, PopupMenu, name, caption, {}, handler);
    item->setCheckable(true);
    return item;
  };
  ShowMenuMenu = addItem("ShowMenuMenu", "Menü-Symbolleiste", &TMainForm::ShowMenuMenuClick);
  ShowFileMenu = addItem("ShowFileMenu", "Datei-Symbolleiste", &TMainForm::ShowFileMenuClick);
  ShowKovaMenu = addItem("ShowKovaMenu", "KOVA-Symbolleiste", &TMainForm::ShowKovaMenuClick);
  ShowEditMenu = addItem("ShowEditMenu", "Bearbeiten-Symbolleiste", &TMainForm::ShowEditMenuClick);
  ShowHelpMenu = addItem("ShowHelpMenu", "Hilfe-Symbolleiste", &TMainForm::ShowHelpMenuClick);
  AddSeparator(PopupMenu, "N11");
  HintsMenu = addItem("HintsMenu", "Hinweise anzeigen", &TMainForm::HintsMenuClick);
  BigIconsMenu = addItem("BigIconsMenu", "große Symbole", &TMainForm::BigIconsMenuClick);
  connect(PopupMenu, &QMenu::aboutToShow, this, kova::Guarded([this] { PopupMenuPopup(); }));
  // A band that floats is a window of its own, whose right clicks never reach
  // this one; so every band asks for the menu itself, docked or floating.
  for (kova::ToolBar* toolBar : ToolBars()) {
    toolBar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(toolBar, &QWidget::customContextMenuRequested, this,
            [this, toolBar](QPoint place) { popupControlBarMenu(toolBar->mapToGlobal(place)); });
  }
}

QMenu* TMainForm::createPopupMenu() {
  // The window asks for this on a right click in its tool bar area. It would
  // delete a menu returned here, so PopupMenu is shown directly instead.
  popupControlBarMenu(QCursor::pos());
  return nullptr;
}

void TMainForm::popupControlBarMenu(QPoint globalPlace) { PopupMenu->popup(globalPlace); }

void TMainForm::PopupMenuPopup() {
  // Each item shows whether its toolbar is set to be shown, even while the
  // window itself is not on screen.
  ShowMenuMenu->setChecked(!MenuToolBar->isHidden());
  ShowFileMenu->setChecked(!FileToolBar->isHidden());
  ShowKovaMenu->setChecked(!KovaToolBar->isHidden());
  ShowEditMenu->setChecked(!EditToolBar->isHidden());
  ShowHelpMenu->setChecked(!HelpToolBar->isHidden());
  HintsMenu->setChecked(HintState());
}

void TMainForm::ShowMenuMenuClick() { MenuToolBar->setVisible(MenuToolBar->isHidden()); }
void TMainForm::ShowFileMenuClick() { FileToolBar->setVisible(FileToolBar->isHidden()); }
void TMainForm::ShowKovaMenuClick() { KovaToolBar->setVisible(KovaToolBar->isHidden()); }
void TMainForm::ShowEditMenuClick() { EditToolBar->setVisible(EditToolBar->isHidden()); }
void TMainForm::ShowHelpMenuClick() { HelpToolBar->setVisible(HelpToolBar->isHidden()); }

void TMainForm::HintsMenuClick() { SetHintState(HintsMenu->isChecked()); }

void TMainForm::SetHintState(bool showHint) {
  fControlBarShowHint = showHint;
  for (kova::ToolBar* toolBar : {FileToolBar, KovaToolBar, EditToolBar, HelpToolBar}) {
    toolBar->SetShowHint(showHint);
  }
}

void TMainForm::BigIconsMenuClick() { SetButtonSize(BigIconsMenu->isChecked()); }

void TMainForm::SetButtonSize(bool big) {
  for (kova::ToolBar* toolBar : {FileToolBar, KovaToolBar, EditToolBar, HelpToolBar}) {
    applyToolBarButtonSize(toolBar, big);
  }
}

void TMainForm::applyToolBarButtonSize(kova::ToolBar* toolBar, bool big) {
  // The actions' icons hold both sizes and all three looks (normal, disabled,
  // hot); the icon size picks IL24/IL24d/IL24h or IL16/IL16d/IL16h.
  const int imageSize = (big ? IL24 : IL16).Size();
  toolBar->setIconSize(QSize(imageSize, imageSize));
  int width = 0;
  for (QWidget* item : toolBar->Items()) {
    if (auto* button = qobject_cast<QToolButton*>(item)) {
      button->setIconSize(QSize(imageSize, imageSize));
      const QSize natural = button->sizeHint();
      button->setFixedSize(natural.width(), big ? natural.height() : kSmallButtonHeight);
    }
    width += item->width();
  }
  // The grip in front of the band is the control bar's, not the toolbar's.
  toolBar->setFixedWidth(toolBar->GripWidth() + width + 4);
}

void TMainForm::EditObenMenuClick() { placeEditorPanel(Qt::TopEdge, EditObenMenu); }
void TMainForm::EditRechtsMenuClick() { placeEditorPanel(Qt::RightEdge, EditRechtsMenu); }
void TMainForm::EditUntenMenuClick() { placeEditorPanel(Qt::BottomEdge, EditUntenMenu); }
void TMainForm::EditLinksMenuClick() { placeEditorPanel(Qt::LeftEdge, EditLinksMenu); }

void TMainForm::placeEditorPanel(Qt::Edge edge, QAction* item) {
  const bool acrossHeight = edge == Qt::TopEdge || edge == Qt::BottomEdge;
  const bool editorFirst = edge == Qt::TopEdge || edge == Qt::LeftEdge;
  Splitter->setOrientation(acrossHeight ? Qt::Vertical : Qt::Horizontal);
  Splitter->setHandleWidth(kSplitterWidth);
  Splitter->insertWidget(editorFirst ? 0 : 1, EditPanel);
  const int editorIndex = Splitter->indexOf(EditPanel);
  const int imageIndex = 1 - editorIndex;
  // The editor keeps its size when the window is resized; the image pane
  // takes the difference.
  Splitter->setStretchFactor(editorIndex, 0);
  Splitter->setStretchFactor(imageIndex, 1);

  // Half of the whole client area, control bar included; the image pane gets
  // what the splitter leaves.
  const int half = (acrossHeight ? height() : width()) / 2;
  layout()->activate();
  const int room = acrossHeight ? Splitter->height() : Splitter->width();
  QList<int> sizes(2);
  sizes[editorIndex] = half;
  sizes[imageIndex] = std::max(0, room - Splitter->handleWidth() - half);
  Splitter->setSizes(sizes);
  item->setChecked(true);
}
