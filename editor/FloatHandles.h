#pragma once
#include "core/Bounds.h"

// The two handles that pull a trap's float wider or taller, and the float a drag of them makes.
// The trap's centre swings round an ellipse with xfloating as its horizontal radius and
// yfloating as its vertical one; a handle sits where the game swings the centre to: a positive
// xfloating right of the centre, a positive yfloating below it (y grows downwards), negative
// ones on the other side. Pure: level pixels in, level pixels out.
namespace floathandles {

enum class Handle { None, Horizontal, Vertical };

// A float not set yet has its handle waiting just beyond the picture, this far from its edge,
// to be pulled out from there.
constexpr int kRestGap = 12;
// Level pixels either side of a handle that still take hold of it.
constexpr int kGrab = 5;

struct Point {
    int x = 0;
    int y = 0;
};

// The centre of the trap's picture at rest.
Point centre(Bounds picture);
// Where the handle stands for these floats (as the file gives them).
Point place(Bounds picture, int floatX, int floatY, Handle handle);
// The handle within kGrab of the point, the nearer one when both are; None when neither is.
Handle handleAt(Bounds picture, int floatX, int floatY, int x, int y);
// The float the handle gives once dragged by (dx, dy): it follows the pointer along its own
// axis and its distance from the centre snaps to the grid unless free. A drag that has not
// moved along that axis keeps the float as it was.
int dragged(Bounds picture, int floatX, int floatY, Handle handle, int dx, int dy, bool free);
// A float widened (by > 0) or narrowed by the X and Y keys, on the side it already swings to;
// narrowing stops at 0.
int stepped(int value, int by);

}  // namespace floathandles
