// The main program block: application object, title, main window, message loop.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setApplicationName("KOVA");
  QMainWindow window;
  window.setWindowTitle("KOVA - *unbenannt*");
  window.show();
  return application.exec();
}
