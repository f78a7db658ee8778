// Runs the program's own dialogs modally. Tests install a handler that plays
// the user's part (fills in controls, closes with a result) instead of
// waiting for input.
#pragma once

#include <functional>

class QDialog;

namespace kova {

// Shows dialog modally and returns its result (QDialog::Accepted or
// QDialog::Rejected).
int RunModal(QDialog& dialog);

using ModalHandler = std::function<int(QDialog&)>;

// Installs a handler (an empty one restores modal display) and returns the
// one it replaces.
ModalHandler SetModalHandler(ModalHandler handler);

}  // namespace kova
