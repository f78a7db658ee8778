// The commands that open the settings, keys and info dialogs.
#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QTableWidget>

#include "app/about_form.h"
#include "app/keys_form.h"
#include "app/main_form_fixture.h"
#include "user_stubs.h"

namespace kova {
namespace {

class MainFormDialogsTest : public MainFormTest {
 protected:
  ModalAnswerer answerer;
};

TEST_F(MainFormDialogsTest, InfoShowsTheAboutBoxOwnedByTheWindow) {
  QGuiApplication::setApplicationDisplayName("KOVA");
  QString caption, version;
  answerer.action = [&](QDialog& dialog) {
    EXPECT_EQ(form.get(), dialog.parentWidget());
    auto& about = static_cast<TAboutForm&>(dialog);
    caption = about.windowTitle();
    version = about.VersionLabel->text();
    dialog.done(QDialog::Accepted);
  };
  form->InfoAction->trigger();
  EXPECT_EQ(1, answerer.shown);
  EXPECT_EQ("Info zu KOVA...", caption);
  EXPECT_EQ("Version 0.2.0    built 16", version);
  EXPECT_TRUE(form->findChildren<QDialog*>().isEmpty()) << "destroyed at once";
}

TEST_F(MainFormDialogsTest, KeysListsFifteenRowsFromTheKeyTable) {
  QStringList keys, values;
  answerer.action = [&](QDialog& dialog) {
    const QTableWidget& grid = *static_cast<TKeysForm&>(dialog).ValueListEditor;
    for (int row = 0; row < grid.rowCount(); ++row) {
      keys << grid.item(row, 0)->text();
      values << grid.item(row, 1)->text();
    }
  };
  form->KeysAction->trigger();
  ASSERT_EQ(15, values.size());
  EXPECT_EQ("Einleitung einer Auswahl mit Bedingung", keys[0]);
  EXPECT_EQ("[if, wenn]", values[0]);
  EXPECT_EQ("[case, auswahl]", values[4]);
  EXPECT_EQ("Ende eines Falles einer merhrfachen Auswahl", keys[5]);
  EXPECT_EQ("[;;, fall ende]", values[5]);
  EXPECT_EQ("(ein neuer Fall beginnt nun ohne Schlüssel)", keys[6]);
  EXPECT_EQ("", values[6]);
  EXPECT_EQ("[esac, ende auswahl]", values[7]);
  EXPECT_EQ("[while, for, until, solange, für]", values[8]);
  EXPECT_EQ("[done, ende solange, ende für, ende schleife]", values[9]);
  EXPECT_EQ("[wiederhole bis]", values[11]);
  EXPECT_EQ("[exit, programmende, diagrammende, scriptende]", values[13]);
  EXPECT_EQ("Aufruf eines Unterprogrammes", keys[14]);
  EXPECT_EQ("[aufruf]", values[14]);
  for (const QString& value : values)
    EXPECT_FALSE(value.contains("function") || value.contains("funktion") || value.contains("}"))
        << value.toStdString();
}

}  // namespace
}  // namespace kova
