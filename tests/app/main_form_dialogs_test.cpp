// The commands that open the settings, keys and info dialogs.
#include <QAction>
#include <QGuiApplication>
#include <QLabel>

#include "app/about_form.h"
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

}  // namespace
}  // namespace kova
