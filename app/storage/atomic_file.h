// Replacing a file's content as one step, so that a crash, a full disk or a
// vanished folder never leaves a half-written file behind.
#pragma once

#include <QString>

#include <string_view>

namespace kova {

// Writes `bytes` to a new temporary file in the target's folder and renames it
// over the target only once every byte has reached the disk. An existing
// target keeps its permission bits (and, where allowed, its owner); a new one
// gets the usual permissions of a created file. A symbolic link stays a link:
// the file it points to is replaced. A folder that refuses new files refuses
// the write. Throws std::system_error with the errno of the failing step; on
// failure the old content is untouched and no temporary file is left.
void WriteFileAtomically(const QString& path, std::string_view bytes);

}  // namespace kova
