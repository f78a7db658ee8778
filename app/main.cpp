// The main program block: application object with the title "KOVA", the main
// window, the message loop. Command-line arguments are not used.
#include "app/error_handler.h"
#include "app/main_form.h"

int main(int argc, char** argv) {
  kova::KovaApplication application(argc, argv);
  kova::KovaApplication::setApplicationName(QStringLiteral("KOVA"));
  int result = 0;
  {
    TMainForm window;
    window.show();
    result = kova::KovaApplication::exec();
  }
  return result;
}
