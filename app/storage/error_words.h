// Plain German words for the system errors that have no text among the
// runtime's input/output messages nor among the system's open messages, so
// that opening and saving say them alike.
#pragma once

#include <QString>

#include <optional>

namespace kova {

// Without a final full stop; nothing for an error that has no words here.
std::optional<QString> PlainErrorWords(int error);

// "Nicht genügend Speicher verfügbar.": what every operation that ran out of
// memory says, with its full stop.
QString OutOfMemoryWords();

enum class FileUse { Open, Save };

// "Datei <path> kann nicht geöffnet werden. <reason>", or "gespeichert" in
// place of "geöffnet"; `reason` is a whole sentence with its full stop.
QString CannotUseFileMessage(const QString& fileName, FileUse use, const QString& reason);

}  // namespace kova
