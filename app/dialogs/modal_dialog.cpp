#include "app/dialogs/modal_dialog.h"

#include <QDialog>
#include <utility>

namespace kova {

namespace {

ModalHandler& InstalledModalHandler() {
  static ModalHandler handler;
  return handler;
}

}  // namespace

int RunModal(QDialog& dialog) {
  if (const ModalHandler& handler = InstalledModalHandler()) return handler(dialog);
  return dialog.exec();
}

ModalHandler SetModalHandler(ModalHandler handler) {
  return std::exchange(InstalledModalHandler(), std::move(handler));
}

}  // namespace kova
