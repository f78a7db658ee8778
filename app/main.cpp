// The main program block: application object with the title "KOVA", the main
// window, the message loop. Command-line arguments are not used.
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/platform/error_handler.h"
#include "app/window/main_form.h"

int main(int argc, char** argv) {
  kova::KovaApplication application(argc, argv);
  kova::KovaApplication::setApplicationName(QStringLiteral("KOVA"));
  // Qt's own dialogs (file and font dialog) speak German like the rest of the
  // program; without the translation file they stay English.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    kova::KovaApplication::installTranslator(&qtTexts);
  }
  int result = 0;
  {
    TMainForm window;
    window.show();
    result = kova::KovaApplication::exec();
  }
  return result;
}
