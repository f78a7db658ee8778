// The commands as the user meets them: the action list, the menus behind the
// menu toolbar, the toolbars and their context menu.
#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QHelpEvent>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <memory>
#include <utility>

#include "app/window/main_form_fixture.h"
#include "app/window/tool_bar.h"

namespace {

struct ExpectedAction {
  const char* name;
  const char* caption;
  const char* shortcut;
  int image;
  bool autoCheck;
};

const ExpectedAction kExpectedActions[] = {
    {"NewAction", "Neu", "Ctrl+N", 0, false},
    {"OpenAction", "Öffnen...", "Ctrl+O", 1, false},
    {"SaveAction", "Speichern", "Ctrl+S", 2, false},
    {"SaveAsAction", "Speichern unter...", "Ctrl+Shift+S", 5, false},
    {"RunAction", "NSD erzeugen", "F9", 3, false},
    {"SaveImageAction", "als Grafik speichern...", "Ctrl+Alt+S", 5, false},
    {"CopyImageAction", "als Grafik kopieren...", "Ctrl+Alt+C", 4, false},
    {"SettingsAction", "Einstellungen...", "F4", 6, false},
    {"BashSyntaxAction", "Bash-Syntax hervorheben", "Ctrl+B", 7, true},
    {"CommentsAction", "Kommentare übernehmen", "Ctrl+K", 8, true},
    {"UndoAction", "Rückgängig", "Ctrl+Z", 9, false},
    {"RedoAction", "Wiederherstellen", "Ctrl+Shift+Z", 10, false},
    {"CutAction", "Ausschneiden", "Ctrl+X", 11, false},
    {"CopyAction", "Kopieren", "Ctrl+C", 12, false},
    {"PasteAction", "Einfügen", "Ctrl+V", 13, false},
    {"SearchAction", "Suchen...", "Ctrl+F", 14, false},
    {"ReplaceAction", "Ersetzen...", "Ctrl+R", 15, false},
    {"NextSearchAction", "nächstes Vorkommen suchen", "F3", 16, false},
    {"PrevSearchAction", "vorheriges Vorkommen suchen", "Shift+F3", 17, false},
    {"WordWrapAction", "Zeilenumbruch", "Ctrl+W", 18, true},
    {"InfoAction", "Info...", "Ctrl+F1", 20, false},
    {"KeysAction", "Schlüssel...", "F1", 19, false},
};

// Object names of a menu's items in order; a separator shows as "-" plus its
// name, a submenu as its title.
QStringList ItemNames(const QMenu* menu) {
  QStringList names;
  for (const QAction* item : menu->actions()) {
    if (item->isSeparator()) {
      names << "-" + item->objectName();
    } else if (item->menu() != nullptr) {
      names << item->text();
    } else {
      names << item->objectName();
    }
  }
  return names;
}

QStringList ButtonNames(const kova::ToolBar* toolBar) {
  QStringList names;
  for (const QWidget* item : toolBar->Items()) names << item->objectName();
  return names;
}

using CommandSurfaceTest = MainFormTest;

TEST_F(CommandSurfaceTest, ActionListHoldsTheTwentyTwoCommandsAsTabled) {
  ASSERT_EQ(form->ActionList.size(), std::size(kExpectedActions));
  for (std::size_t i = 0; i < form->ActionList.size(); ++i) {
    const QAction* action = form->ActionList[i];
    const ExpectedAction& expected = kExpectedActions[i];
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(action->objectName(), expected.name);
    EXPECT_EQ(action->text(), QString::fromUtf8(expected.caption));
    EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(expected.shortcut)));
    EXPECT_EQ(action->isCheckable(), expected.autoCheck);
    // A first start (no settings file) switches Bash highlighting on.
    EXPECT_EQ(action->isChecked(), action == form->BashSyntaxAction);
    EXPECT_EQ(action->icon().pixmap(QSize(16, 16)).toImage(),
              form->IL16.Image(expected.image).toImage());
    EXPECT_EQ(action->icon().pixmap(QSize(24, 24), QIcon::Disabled).toImage(),
              form->IL24d.Image(expected.image).toImage());
    // Every shortcut acts anywhere in the window.
    EXPECT_TRUE(form->actions().contains(action));
    EXPECT_EQ(action->shortcutContext(), Qt::WindowShortcut);
  }
}

TEST_F(CommandSurfaceTest, OnlyUndoAndRedoStartDisabled) {
  for (const QAction* action : form->ActionList) {
    const bool undoOrRedo = action == form->UndoAction || action == form->RedoAction;
    EXPECT_EQ(action->isEnabled(), !undoOrRedo) << action->objectName().toStdString();
  }
}

TEST_F(CommandSurfaceTest, AutoCheckActionFlipsItsCheckBeforeItsHandlerRuns) {
  bool checkSeen = false;
  QObject::connect(form->WordWrapAction, &QAction::triggered,
                   [&] { checkSeen = form->WordWrapAction->isChecked(); });
  form->WordWrapAction->trigger();
  EXPECT_TRUE(checkSeen);
}

TEST_F(CommandSurfaceTest, ShortcutsActAnywhereInTheWindowButNotWhenDisabled) {
  form->show();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  form->ImagePanel->setFocusPolicy(Qt::StrongFocus);
  form->ImagePanel->setFocus();
  ASSERT_TRUE(form->BashSyntaxAction->isChecked());
  QTest::keyClick(form->ImagePanel, Qt::Key_B, Qt::ControlModifier);
  EXPECT_FALSE(form->BashSyntaxAction->isChecked());

  int runs = 0;
  QObject::connect(form->RunAction, &QAction::triggered, [&] { ++runs; });
  QTest::keyClick(form->fEditor, Qt::Key_F9);
  EXPECT_EQ(runs, 1);
  form->RunAction->setEnabled(false);
  QTest::keyClick(form->fEditor, Qt::Key_F9);
  EXPECT_EQ(runs, 1);
}

TEST_F(CommandSurfaceTest, MenusHoldTheirItemsInOrder) {
  EXPECT_EQ(form->FileMenu->title(), "Datei");
  EXPECT_EQ(ItemNames(form->FileMenu),
            QStringList({"NewAction", "OpenAction", "SaveAction", "SaveAsAction", "-N9",
                         "Zeilenumbruchformat", "-N2", "CloseMenu"}));
  const QMenu* lineBreaks = form->FileMenu->actions()[5]->menu();
  EXPECT_EQ(ItemNames(lineBreaks), QStringList({"WindowsMenu", "UnixMenu", "MacMenu"}));
  EXPECT_EQ(form->CloseMenu->text(), "Beenden");
  EXPECT_EQ(form->CloseMenu->shortcut(), QKeySequence("Alt+F4"));
  EXPECT_EQ(form->UnixMenu->shortcut(), QKeySequence("Ctrl+Shift+U"));

  EXPECT_EQ(form->KovaMenu->title(), "KOVA");
  EXPECT_EQ(ItemNames(form->KovaMenu),
            QStringList({"RunAction", "-N6", "SaveImageAction", "CopyImageAction", "-N7",
                         "EditObenMenu", "EditRechtsMenu", "EditUntenMenu", "EditLinksMenu",
                         "-N8", "SettingsAction", "BashSyntaxAction", "CommentsAction"}));

  EXPECT_EQ(form->EditMenu->title(), "&Bearbeiten");
  EXPECT_EQ(ItemNames(form->EditMenu),
            QStringList({"UndoAction", "RedoAction", "-N5", "CutAction", "CopyAction",
                         "PasteAction", "-N4", "SearchAction", "ReplaceAction",
                         "NextSearchAction", "PrevSearchAction", "-N3", "WordWrapAction"}));

  EXPECT_EQ(form->HelpMenu->title(), "?");
  EXPECT_EQ(ItemNames(form->HelpMenu), QStringList({"InfoAction", "KeysAction"}));
}

TEST_F(CommandSurfaceTest, MenuKeysDoWhatTheMenusShowAlsoInTheEditor) {
  form->show();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  kova::ScriptEditor* editor = form->fEditor;
  editor->setFocus();
  editor->setText("abc");
  // The three line-break keys choose their items, also with the menu toolbar
  // hidden, and the editor's own binding of Ctrl+Shift+U (upper case) is gone.
  form->MenuToolBar->hide();
  const std::pair<Qt::Key, QAction* TMainForm::*> lineBreakKeys[] = {
      {Qt::Key_U, &TMainForm::UnixMenu}, {Qt::Key_M, &TMainForm::MacMenu},
      {Qt::Key_W, &TMainForm::WindowsMenu}};
  for (const auto& [key, item] : lineBreakKeys) {
    editor->selectAll();
    QTest::keyClick(editor, key, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE((form.get()->*item)->isChecked()) << key;
    EXPECT_EQ(editor->text(), "abc");
  }

  // No key that a menu shows is left to an editor command of another meaning.
  QList<QKeySequence> menuKeys;
  for (const QAction* action : form->actions()) menuKeys << action->shortcut();
  menuKeys << form->CloseMenu->shortcut();
  const QList<QsciCommand::Command> sameMeaning = {QsciCommand::Undo, QsciCommand::Redo,
                                                   QsciCommand::SelectionCut,
                                                   QsciCommand::SelectionCopy, QsciCommand::Paste};
  for (const QsciCommand* command : editor->standardCommands()->commands()) {
    if (sameMeaning.contains(command->command())) continue;
    for (int key : {command->key(), command->alternateKey()}) {
      EXPECT_FALSE(key != 0 && menuKeys.contains(QKeySequence(key)))
          << command->description().toStdString();
    }
  }

  // The editor's context menu names the window's keys, and they act so.
  std::unique_ptr<QMenu> contextMenu(editor->createStandardContextMenu());
  QList<QKeySequence> shown;
  for (const QAction* item : contextMenu->actions()) {
    if (!item->shortcut().isEmpty()) shown << item->shortcut();
  }
  EXPECT_EQ(shown, QList<QKeySequence>({form->UndoAction->shortcut(), form->RedoAction->shortcut(),
                                         form->CutAction->shortcut(), form->CopyAction->shortcut(),
                                         form->PasteAction->shortcut(), QKeySequence("Ctrl+A")}));
  editor->setCursorPosition(0, 3);
  QTest::keyClicks(editor, "d");
  QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor->text(), "abc");
  QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(editor->text(), "abcd");
}

TEST_F(CommandSurfaceTest, ChoosingTheCheckedLineBreakAgainRemovesItsCheck) {
  EXPECT_TRUE(form->WindowsMenu->isChecked());
  form->UnixMenu->trigger();
  EXPECT_TRUE(form->UnixMenu->isChecked());
  EXPECT_FALSE(form->WindowsMenu->isChecked());
  form->UnixMenu->trigger();
  EXPECT_FALSE(form->WindowsMenu->isChecked());
  EXPECT_FALSE(form->UnixMenu->isChecked());
  EXPECT_FALSE(form->MacMenu->isChecked());
}

TEST_F(CommandSurfaceTest, EditorPositionItemsAreExclusiveAndStayCheckedWhenChosenAgain) {
  form->EditLinksMenu->trigger();
  form->EditLinksMenu->trigger();
  EXPECT_TRUE(form->EditLinksMenu->isChecked());
  form->EditObenMenu->trigger();
  EXPECT_TRUE(form->EditObenMenu->isChecked());
  EXPECT_FALSE(form->EditLinksMenu->isChecked());
}

TEST_F(CommandSurfaceTest, MenuToolBarOpensTheFourMenusAndAloneCanFloat) {
  const QStringList captions = {"Datei", "KOVA", "&Bearbeiten", "?"};
  const QList<QMenu*> menus = {form->FileMenu, form->KovaMenu, form->EditMenu, form->HelpMenu};
  const QList<QWidget*> items = form->MenuToolBar->Items();
  ASSERT_EQ(items.size(), 4);
  for (int i = 0; i < 4; ++i) {
    const auto* button = qobject_cast<QToolButton*>(items[i]);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->objectName(), QString("ToolButton%1").arg(i + 1));
    EXPECT_EQ(button->text(), captions[i]);
    EXPECT_EQ(button->menu(), menus[i]);
    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
    EXPECT_EQ(button->height(), 21);
  }
  EXPECT_TRUE(form->MenuToolBar->isFloatable());
  for (const kova::ToolBar* toolBar :
       {form->FileToolBar, form->KovaToolBar, form->EditToolBar, form->HelpToolBar}) {
    EXPECT_FALSE(toolBar->isFloatable());
  }
}

TEST_F(CommandSurfaceTest, IconToolBarsHoldTheirButtonsInOrder) {
  EXPECT_EQ(ButtonNames(form->FileToolBar), QStringList({"NewTB", "OpenTB", "SaveTB", "SaveAsTB"}));
  EXPECT_EQ(ButtonNames(form->KovaToolBar),
            QStringList({"RunTB", "ToolButton17", "SaveImageTB", "CopyImageTB", "ToolButton20",
                         "SettingsTB", "BashSyntaxTB", "KommentareTB"}));
  EXPECT_EQ(ButtonNames(form->HelpToolBar), QStringList({"InfoTB", "KeysTB"}));
  EXPECT_EQ(ButtonNames(form->EditToolBar),
            QStringList({"UndoTB", "ResoTB", "ToolButton5", "CutTB", "CopyTB", "PasteTB",
                         "ToolButton9", "SearchTB", "ReplaceTB", "NextSearchTB", "PrevSearchTB",
                         "ToolButton14", "WordWrapTB"}));
}

TEST_F(CommandSurfaceTest, ButtonsFollowTheirActionsAndCarryTheirOwnHints) {
  auto* wordWrap = form->EditToolBar->findChild<kova::ToolButton*>("WordWrapTB");
  ASSERT_NE(wordWrap, nullptr);
  EXPECT_EQ(wordWrap->defaultAction(), form->WordWrapAction);
  EXPECT_EQ(wordWrap->Hint(), "den automatischen Zeilenumbruch im Editor ein- bzw. ausschalten");
  form->WordWrapAction->trigger();
  EXPECT_TRUE(wordWrap->isChecked());

  auto* undo = form->EditToolBar->findChild<kova::ToolButton*>("UndoTB");
  ASSERT_NE(undo, nullptr);
  EXPECT_FALSE(undo->isEnabled());
  // The hint survives the action's changes, which reset a Qt button's tip.
  form->UndoAction->setEnabled(true);
  EXPECT_EQ(undo->Hint(), "die letzte Aktion rückgängig machen");

  auto* keys = form->HelpToolBar->findChild<kova::ToolButton*>("KeysTB");
  ASSERT_NE(keys, nullptr);
  EXPECT_EQ(keys->Hint(),
            "die Schlüsselwörter anzeigen, mit denen das Aussehen des Struktogrammes im Editor "
            "gesteuert wird");
}

TEST_F(CommandSurfaceTest, PopupChecksFollowTheToolBarsWhenItOpens) {
  for (kova::ToolBar* toolBar : form->ToolBars()) toolBar->hide();
  form->MenuToolBar->show();
  form->PopupMenuPopup();
  EXPECT_TRUE(form->ShowMenuMenu->isChecked());
  for (const QAction* item :
       {form->ShowFileMenu, form->ShowKovaMenu, form->ShowEditMenu, form->ShowHelpMenu,
        form->HintsMenu, form->BigIconsMenu}) {
    EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
  }

  form->ShowMenuMenu->trigger();
  EXPECT_TRUE(form->MenuToolBar->isHidden());
  emit form->PopupMenu->aboutToShow();
  EXPECT_FALSE(form->ShowMenuMenu->isChecked());

  form->ShowEditMenu->trigger();
  form->ShowHelpMenu->trigger();
  EXPECT_FALSE(form->EditToolBar->isHidden());
  emit form->PopupMenu->aboutToShow();
  EXPECT_TRUE(form->ShowEditMenu->isChecked());
  EXPECT_TRUE(form->ShowHelpMenu->isChecked());
  EXPECT_FALSE(form->ShowFileMenu->isChecked());
}

TEST_F(CommandSurfaceTest, PopupItemsAreInOrder) {
  EXPECT_EQ(ItemNames(form->PopupMenu),
            QStringList({"ShowMenuMenu", "ShowFileMenu", "ShowKovaMenu", "ShowEditMenu",
                         "ShowHelpMenu", "-N11", "HintsMenu", "BigIconsMenu"}));
  EXPECT_EQ(form->BigIconsMenu->text(), "große Symbole");
  EXPECT_EQ(form->ShowEditMenu->text(), "Bearbeiten-Symbolleiste");
}

TEST_F(CommandSurfaceTest, HintsFollowTheHintsItemOnTheIconToolBarsOnly) {
  form->HintsMenu->trigger();
  EXPECT_TRUE(form->HintState());
  for (const kova::ToolBar* toolBar :
       {form->FileToolBar, form->KovaToolBar, form->EditToolBar, form->HelpToolBar}) {
    EXPECT_TRUE(toolBar->ShowHint());
  }
  EXPECT_FALSE(form->MenuToolBar->ShowHint());
  form->HintsMenu->setChecked(false);  // as a later opening would show it
  form->PopupMenuPopup();
  EXPECT_TRUE(form->HintsMenu->isChecked());

  form->HintsMenu->trigger();
  EXPECT_FALSE(form->HintState());
  EXPECT_FALSE(form->EditToolBar->ShowHint());
}

// What resting the mouse on a button shows.
QString TipShownFor(QWidget* button) {
  QToolTip::hideText();
  if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000)) return "tip stays";
  QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(button, &event);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST_F(CommandSurfaceTest, ButtonShowsItsHintOnlyWhileHintsAreOn) {
  form->FileToolBar->show();
  form->show();
  QApplication::processEvents();
  auto* open = form->FileToolBar->findChild<kova::ToolButton*>("OpenTB");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(TipShownFor(open), "");
  form->SetHintState(true);
  EXPECT_EQ(TipShownFor(open), "ein Unix Shell Script oder eine Textdatei öffnen");
  form->SetHintState(false);
  EXPECT_EQ(TipShownFor(open), "");
}

// The width a toolbar must have: its grip, its buttons and separators, and 4.
int ExpectedWidth(const kova::ToolBar* toolBar) {
  int width = toolBar->GripWidth() + 4;
  for (const QWidget* item : toolBar->Items()) width += item->width();
  return width;
}

TEST_F(CommandSurfaceTest, IconSizeSwitchesImagesAndFitsEachToolBarToItsButtons) {
  const std::array<kova::ToolBar*, 4> iconBars = {form->FileToolBar, form->KovaToolBar,
                                                  form->EditToolBar, form->HelpToolBar};
  std::array<int, 4> smallWidths{};
  for (std::size_t i = 0; i < iconBars.size(); ++i) {
    smallWidths[i] = iconBars[i]->width();
    EXPECT_EQ(smallWidths[i], ExpectedWidth(iconBars[i]));
  }
  const int menuBarWidth = form->MenuToolBar->width();

  form->BigIconsMenu->trigger();
  EXPECT_TRUE(form->BigIconsMenu->isChecked());
  for (std::size_t i = 0; i < iconBars.size(); ++i) {
    const kova::ToolBar* toolBar = iconBars[i];
    EXPECT_EQ(toolBar->iconSize(), QSize(24, 24));
    EXPECT_EQ(toolBar->width(), ExpectedWidth(toolBar));
    EXPECT_GT(toolBar->width(), smallWidths[i]);
    for (const QWidget* item : toolBar->Items()) {
      if (const auto* button = qobject_cast<const QToolButton*>(item)) {
        EXPECT_EQ(button->iconSize(), QSize(24, 24));
        EXPECT_GT(button->height(), 22);
      } else {
        EXPECT_EQ(item->width(), 8);
      }
    }
  }
  EXPECT_EQ(form->MenuToolBar->width(), menuBarWidth);

  form->BigIconsMenu->trigger();
  for (std::size_t i = 0; i < iconBars.size(); ++i) {
    EXPECT_EQ(iconBars[i]->width(), smallWidths[i]);
    for (const QWidget* item : iconBars[i]->Items()) {
      if (qobject_cast<const QToolButton*>(item) != nullptr) {
        EXPECT_EQ(item->height(), 22);
      }
    }
  }
}

TEST_F(CommandSurfaceTest, ShownToolBarsShowEveryButtonAtItsWidth) {
  for (kova::ToolBar* toolBar : form->ToolBars()) toolBar->show();
  form->resize(1000, 600);
  form->show();
  QApplication::processEvents();
  for (const kova::ToolBar* toolBar : form->ToolBars()) {
    for (const QWidget* item : toolBar->Items()) {
      EXPECT_TRUE(item->isVisible()) << item->objectName().toStdString();
    }
  }
}

}  // namespace

namespace {

using ControlBarTest = MainFormTest;

void ShowAll(TMainForm& form) {
  for (kova::ToolBar* toolBar : form.ToolBars()) toolBar->show();
  form.resize(900, 600);
  form.show();
  QApplication::processEvents();
}

TEST_F(ControlBarTest, BandsStartInThreeRows) {
  ShowAll(*form);
  EXPECT_LT(form->MenuToolBar->y(), form->FileToolBar->y());
  EXPECT_EQ(form->FileToolBar->y(), form->KovaToolBar->y());
  EXPECT_EQ(form->KovaToolBar->y(), form->HelpToolBar->y());
  EXPECT_LT(form->HelpToolBar->y(), form->EditToolBar->y());
  EXPECT_LT(form->FileToolBar->x(), form->KovaToolBar->x());
  EXPECT_LT(form->KovaToolBar->x(), form->HelpToolBar->x());
  // On screen, a band reports where it is shown.
  for (const kova::ToolBar* toolBar : form->ToolBars()) {
    EXPECT_EQ(form->ToolBarPlace(toolBar), toolBar->pos()) << toolBar->objectName().toStdString();
  }
}

TEST_F(ControlBarTest, PlacingABandMovesItToTheRowOfItsTopInTheOrderOfItsLeft) {
  form->SetToolBarPlace(form->EditToolBar, {200, 2});
  form->SetToolBarPlace(form->HelpToolBar, {0, 27});
  EXPECT_EQ(form->ToolBarPlace(form->EditToolBar), QPoint(200, 2));
  ShowAll(*form);
  EXPECT_EQ(form->EditToolBar->y(), form->MenuToolBar->y());
  EXPECT_GT(form->EditToolBar->x(), form->MenuToolBar->x());
  EXPECT_EQ(form->HelpToolBar->y(), form->FileToolBar->y());
  EXPECT_LT(form->HelpToolBar->x(), form->FileToolBar->x());
  EXPECT_GT(form->FileToolBar->y(), form->MenuToolBar->y());
}

TEST_F(ControlBarTest, RightClickOnTheControlBarOpensThePopupWithFreshChecks) {
  ShowAll(*form);
  form->FileToolBar->hide();
  const QPoint onKovaBand = form->KovaToolBar->geometry().center();
  QContextMenuEvent click(QContextMenuEvent::Mouse, onKovaBand, form->mapToGlobal(onKovaBand));
  QApplication::sendEvent(form.get(), &click);
  EXPECT_TRUE(form->PopupMenu->isVisible());
  EXPECT_TRUE(form->ShowKovaMenu->isChecked());
  EXPECT_FALSE(form->ShowFileMenu->isChecked());
  form->PopupMenu->hide();
}

TEST_F(ControlBarTest, RightClickOnTheMenuBandFloatingAloneOpensThePopupToo) {
  form->show();
  kova::ToolBar& band = *form->MenuToolBar;
  // Floating as when dragged out of the control bar: a tool window of its own.
  band.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  band.show();
  QApplication::processEvents();
  ASSERT_TRUE(band.isFloating());
  QWidget& button = *band.Items().front();
  const QPoint onButton = button.rect().center();
  QContextMenuEvent click(QContextMenuEvent::Mouse, onButton, button.mapToGlobal(onButton));
  QApplication::sendEvent(&button, &click);
  EXPECT_TRUE(form->PopupMenu->isVisible());
  EXPECT_TRUE(form->ShowMenuMenu->isChecked());
  EXPECT_FALSE(form->ShowFileMenu->isChecked());
  form->PopupMenu->hide();
}

TEST_F(ControlBarTest, BandsWithNearlyTheSameTopShareARowInTheOrderOfTheirLeft) {
  form->SetToolBarPlace(form->KovaToolBar, {300, 27});
  form->SetToolBarPlace(form->HelpToolBar, {11, 31});
  form->SetToolBarPlace(form->FileToolBar, {150, 29});
  ShowAll(*form);
  EXPECT_EQ(form->HelpToolBar->y(), form->KovaToolBar->y());
  EXPECT_EQ(form->FileToolBar->y(), form->KovaToolBar->y());
  EXPECT_LT(form->HelpToolBar->x(), form->FileToolBar->x());
  EXPECT_LT(form->FileToolBar->x(), form->KovaToolBar->x());
}

TEST_F(ControlBarTest, PlacingBandsKeepsTheirVisibility) {
  form->MenuToolBar->hide();
  form->KovaToolBar->show();
  form->SetToolBarPlace(form->MenuToolBar, {0, 80});
  EXPECT_FALSE(form->KovaToolBar->isHidden());
  EXPECT_TRUE(form->MenuToolBar->isHidden());
  EXPECT_TRUE(form->EditToolBar->isHidden());
}

}  // namespace
