#include "app/storage/error_words.h"

#include <cerrno>

namespace kova {

std::optional<QString> PlainErrorWords(int error) {
  switch (error) {
    case ENOSPC:
      return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei");
    case EDQUOT:
      return QStringLiteral("Ihr Speicherkontingent auf dem Datenträger ist erschöpft");
    case EFBIG:
      return QStringLiteral("Die Datei wäre größer, als das System erlaubt");
    case ELOOP:
      return QStringLiteral("Der Pfad führt über zu viele symbolische Verknüpfungen, "
                            "vermutlich im Kreis");
    case EWOULDBLOCK:
      return QStringLiteral("Ein anderes Programm hält die Datei gesperrt");
    default:
      return std::nullopt;
  }
}

QString OutOfMemoryWords() { return QStringLiteral("Nicht genügend Speicher verfügbar."); }

QString CannotUseFileMessage(const QString& fileName, FileUse use, const QString& reason) {
  return QStringLiteral("Datei %1 kann nicht %2 werden. %3")
      .arg(fileName,
           use == FileUse::Open ? QStringLiteral("geöffnet") : QStringLiteral("gespeichert"),
           reason);
}

}  // namespace kova
