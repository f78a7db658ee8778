#include "app/dialogs/shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <optional>

#include "app/platform/dialog_seam.h"

namespace kova {

namespace {

// Addresses name their scheme; everything else is a file of the machine.
bool IsAddress(const QString& target) {
  return target.contains(QLatin1String("://")) ||
         target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
}

std::optional<ShellFailure> OpenWithDesktop(const QString& target) {
  if (IsAddress(target))
    return QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode))
               ? std::nullopt
               : std::optional(ShellFailure::NoAssociation);
  const QFileInfo file(target);
  if (!file.exists()) return ShellFailure::FileNotFound;
  if (!file.isReadable()) return ShellFailure::AccessDenied;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()))
             ? std::nullopt
             : std::optional(ShellFailure::NoAssociation);
}

}  // namespace

QString ShellFailureMessage(ShellFailure failure, const QString& target) {
  const auto message = [&target](const char* prefix, const char* suffix) {
    return QString::fromUtf8(prefix) + '"' + target + '"' + QString::fromUtf8(suffix);
  };
  switch (failure) {
    case ShellFailure::OutOfMemory:
      return message("Es steht nicht genug Speicher für die zum Öffnen der Datei ",
                     " nötige Operation zur Verfügung.");
    case ShellFailure::FileNotFound:
      return message("Die Datei ", " wurde nicht gefunden.");
    case ShellFailure::AccessDenied:
      return message("Der Zugriff auf die Datei ", " wurde verweigert.");
    case ShellFailure::NoAssociation:
      return message("Mit der Erweiterung der Datei ",
                     " ist keine gültige Anwendung verknüpft.");
    case ShellFailure::DdeTimeout:
      return message("Die zum Öffnen der Datei ",
                     " nötige DDE-Operation schlug wegen eines Timeouts fehl.");
    case ShellFailure::DdeFailed:
      return message("Die zum Öffnen der Datei ", " nötige DDE-Operation schlug fehl.");
    case ShellFailure::DdeBusy:
      return message("Die zum Öffnen der Datei ",
                     " nötige DDE-Operation schlug fehl, weil eine andere "
                     "DDE-Operation vorrang hatte.");
  }
  return QString();
}

void ShellOpen(const QString& target) {
  if (const std::optional<ShellFailure> failure = OpenWithDesktop(target))
    ShowError(ShellFailureMessage(*failure, target));
}

}  // namespace kova
