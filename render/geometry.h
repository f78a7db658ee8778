// Small arithmetic and drawing helpers shared by layout and drawing.
#ifndef KOVA_RENDER_GEOMETRY_H_
#define KOVA_RENDER_GEOMETRY_H_

#include <vector>

namespace kova {

class Canvas;

// The integer nearest to value; a value halfway between two integers goes to
// the even one (2.5 gives 2, 3.5 gives 4, -0.5 gives 0).
long long Nearest(double value);

// values[0] + ... + values[last]; 0 when last is -1.
long long SumFirst(const std::vector<long long>& values, long long last);

// The left and the top edge of the box [left, right) x [top, bottom): a box
// draws only these two, its neighbours or the outer frame close it.
void DrawTopLeft(Canvas& canvas, long long left, long long top, long long right, long long bottom);

}  // namespace kova

#endif  // KOVA_RENDER_GEOMETRY_H_
