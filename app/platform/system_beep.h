// The system beep, behind a replaceable handler so that tests can count the
// sounds the program makes instead of hearing them.
#pragma once

#include <functional>

namespace kova {

// The two sounds the program uses: the default beep answers a refused key or
// number, the information sound answers a search that found nothing.
enum class BeepSound { Default = 0, Information = 64 };

// Sounds the beep through the installed handler, or the platform's beep when
// none is installed.
void MessageBeep(BeepSound sound);

using BeepHandler = std::function<void(BeepSound)>;

// Installs a handler (an empty one restores the platform's beep) and returns
// the one it replaces.
BeepHandler SetBeepHandler(BeepHandler handler);

}  // namespace kova
