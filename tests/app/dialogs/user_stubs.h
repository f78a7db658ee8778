// Plays the user's part in tests: counts the beeps the program makes and
// answers the program's own modal dialogs with a scripted action. Each
// installs itself for its lifetime.
#pragma once

#include <QDialog>
#include <functional>
#include <utility>
#include <vector>

#include "app/dialogs/modal_dialog.h"
#include "app/platform/system_beep.h"

namespace kova {

class BeepRecorder {
 public:
  BeepRecorder()
      : fPrevious(SetBeepHandler([this](BeepSound sound) { sounds.push_back(sound); })) {}
  ~BeepRecorder() { SetBeepHandler(std::move(fPrevious)); }
  BeepRecorder(const BeepRecorder&) = delete;
  BeepRecorder& operator=(const BeepRecorder&) = delete;

  std::vector<BeepSound> sounds;

 private:
  BeepHandler fPrevious;
};

// Each dialog shown is handed to the action, which fills it in and closes it
// with dialog.done(...) or returns without closing (counts as rejected).
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QDialog&)> action = {})
      : action(std::move(action)), fPrevious(SetModalHandler([this](QDialog& dialog) {
          ++shown;
          dialog.setResult(QDialog::Rejected);
          if (this->action) this->action(dialog);
          return dialog.result();
        })) {}
  ~ModalAnswerer() { SetModalHandler(std::move(fPrevious)); }
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  std::function<void(QDialog&)> action;
  int shown = 0;

 private:
  ModalHandler fPrevious;
};

}  // namespace kova
