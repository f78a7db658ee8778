// The main program block: application object with the title "KOVA", the main
// window, the message loop. Command-line arguments are not used.
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <array>

#include "app/platform/error_handler.h"
#include "app/window/main_form.h"

int main(int argc, char** argv) {
  kova::KovaApplication application(argc, argv);
  kova::KovaApplication::setApplicationName(QStringLiteral("KOVA"));
  // Qt's own dialogs (file and font dialog) and the editor's context menu
  // speak German like the rest of the program: their texts from the
  // translation files, file types from the German locale, whatever the
  // system's language.
  const QLocale german(QLocale::German, QLocale::Germany);
  QLocale::setDefault(german);
  std::array<QTranslator, 2> translators;
  const std::array<QString, 2> catalogues = {QStringLiteral("qtbase"), QStringLiteral("qscintilla")};
  for (std::size_t i = 0; i < catalogues.size(); ++i) {
    if (translators[i].load(german, catalogues[i], QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      kova::KovaApplication::installTranslator(&translators[i]);
    }
  }
  int result = 0;
  {
    TMainForm window;
    window.show();
    result = kova::KovaApplication::exec();
  }
  return result;
}
