// The drawings behind the command pictures, one per picture index.
#pragma once

class QPainter;

namespace kova {

// Draws picture `index` into the square (0, 0)-(24, 24) of the painter's
// coordinates; the caller scales the painter to the wanted pixel size.
// REQUIRES: 0 <= index < kCommandPictureCount (image_list.h).
void DrawCommandPicture(QPainter& painter, int index);

}  // namespace kova
