#pragma once
#include "core/Bounds.h"

// The edges of a platform's box a pointer can take hold of to resize it, and the box a drag of
// them makes. Pure: level pixels in, level pixels out.
namespace boxhandles {

enum Edge : unsigned { kNone = 0, kLeft = 1u << 0, kRight = 1u << 1, kTop = 1u << 2, kBottom = 1u << 3 };

// Level pixels either side of an edge that still take hold of it.
constexpr int kGrab = 4;
// A box is never dragged thinner than this.
constexpr int kSmallest = 1;

// The edges within kGrab of the point, a corner giving two; none when the point lies away from
// the box. A box too small to tell its edges apart gives the right and bottom ones.
unsigned edgesAt(Bounds box, int x, int y);

// The box with its held edges dragged by (dx, dy); each moved edge snaps to the grid unless
// free, and the opposite edges stay where they were.
Bounds resized(Bounds box, unsigned edges, int dx, int dy, bool free);

}  // namespace boxhandles
