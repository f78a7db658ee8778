// Hands a web address, a "mailto:" link or a file to the desktop, which opens
// it with the program the user has chosen for it.
#pragma once

#include <QString>

namespace kova {

// The failure codes the shell reports, as the messages below know them.
enum class ShellFailure {
  OutOfMemory = 8,
  FileNotFound = 2,
  AccessDenied = 5,
  NoAssociation = 31,
  DdeTimeout = 28,
  DdeFailed = 29,
  DdeBusy = 30,
};

// The German message for a failed request to open target.
QString ShellFailureMessage(ShellFailure failure, const QString& target);

// Opens target; a failure is reported in an error box.
void ShellOpen(const QString& target);

}  // namespace kova
