// Positions as the window system can hold them. X11 keeps a window's place
// in 16 bits, and Qt adds a size to a position in plain int arithmetic, so a
// stored place far beyond would overflow on its way to the screen.
#pragma once

#include <QPoint>

#include <algorithm>

namespace kova {

constexpr int kMaxWindowCoordinate = 32767;

constexpr int WindowCoordinate(int stored) {
  return std::clamp(stored, -kMaxWindowCoordinate, kMaxWindowCoordinate);
}

constexpr QPoint WindowPoint(QPoint stored) {
  return QPoint(WindowCoordinate(stored.x()), WindowCoordinate(stored.y()));
}

}  // namespace kova
