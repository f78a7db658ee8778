// The window as it stands after creation, before any run.
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <Qsci/qsciscintilla.h>

#include "app/window/diagram_image.h"
#include "app/window/main_form_fixture.h"
#include "app/window/tab_set.h"

TEST_F(MainFormTest, StartsUnnamedWithOneEmptyDiagramAndHiddenTabs) {
  EXPECT_EQ(MainForm, form.get());
  EXPECT_EQ(form->windowTitle(), "KOVA - *unbenannt*");
  EXPECT_TRUE(form->fFileName.isEmpty());
  ASSERT_EQ(form->fImages.size(), 1u);
  ASSERT_EQ(form->fScrollBoxes.size(), 1u);
  EXPECT_EQ(form->fImages[0]->Bitmap().width(), 0);
  EXPECT_EQ(form->fImages[0]->parentWidget()->parentWidget(), form->fScrollBoxes[0]);
  EXPECT_TRUE(form->TabSet->isHidden());
  EXPECT_EQ(form->TabSet->TabIndex(), 0);
  EXPECT_FALSE(form->fEditor->isUtf8());
}

TEST_F(MainFormTest, ComponentsCarryTheirNames) {
  for (const char* name : {"EditPanel", "ImagePanel", "Splitter", "StatusBar", "TabSet", "RunAction",
                           "SaveImageAction", "CopyImageAction"}) {
    EXPECT_NE(form->findChild<QObject*>(name), nullptr) << name;
  }
  EXPECT_EQ(form->StatusBar->parentWidget(), form->EditPanel);
  EXPECT_EQ(form->fEditor->parentWidget(), form->EditPanel);
  EXPECT_EQ(form->TabSet->parentWidget(), form->ImagePanel);
}

TEST_F(MainFormTest, DestroyingTheWindowClearsTheModulePointer) {
  form.reset();
  EXPECT_EQ(MainForm, nullptr);
}

TEST_F(MainFormTest, PictureCommandsBeforeTheFirstRunDoNoHarm) {
  QGuiApplication::clipboard()->setText(QStringLiteral("Notiz"));
  form->CopyImageAction->trigger();
  dialogs.fileAnswers.push_back(kova::FileChoice{folder.filePath("leer"), 1});
  form->SaveImageAction->trigger();
  // Nothing has been drawn that could be copied or saved: the user is told
  // so, each time in the words of the command, and the clipboard keeps what
  // it held.
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Notiz");
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].kind, kova::MessageKind::Error);
  EXPECT_EQ(dialogs.messages[1].kind, dialogs.messages[0].kind);
  EXPECT_EQ(dialogs.messages[0].text,
            "Es ist noch kein Diagramm gezeichnet, das kopiert werden könnte.");
  EXPECT_EQ(dialogs.messages[1].text,
            "Es ist noch kein Diagramm gezeichnet, das gespeichert werden könnte.");
  EXPECT_FALSE(QFileInfo::exists(folder.filePath("leer.bmp")));
}
