#include "app/platform/system_beep.h"

#include <QApplication>
#include <utility>

namespace kova {

namespace {

BeepHandler& InstalledBeepHandler() {
  static BeepHandler handler;
  return handler;
}

}  // namespace

void MessageBeep(BeepSound sound) {
  if (const BeepHandler& handler = InstalledBeepHandler()) {
    handler(sound);
    return;
  }
  QApplication::beep();
}

BeepHandler SetBeepHandler(BeepHandler handler) {
  return std::exchange(InstalledBeepHandler(), std::move(handler));
}

}  // namespace kova
