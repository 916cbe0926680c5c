#include "editor/FloatHandles.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/SaturatingMath.h"
#include "editor/EditorView.h"

namespace floathandles {

namespace {

// How far from the centre the handle stands: the float, or the waiting place when it is 0.
int64_t reach(int64_t value, int32_t pictureSide) {
    return value != 0 ? value : pictureSide / 2 + int64_t{kRestGap};
}

int64_t distanceTo(Point handle, int x, int y) {
    return std::max(std::llabs(int64_t{x} - handle.x), std::llabs(int64_t{y} - handle.y));
}

}  // namespace

Point centre(Bounds picture) {
    return Point{saturateToInt32(int64_t{picture.x} + picture.w / 2),
                 saturateToInt32(int64_t{picture.y} + picture.h / 2)};
}

Point place(Bounds picture, int floatX, int floatY, Handle handle) {
    Point at = centre(picture);
    if (handle == Handle::Horizontal) {
        at.x = saturateToInt32(at.x + reach(floatX, picture.w));
    } else if (handle == Handle::Vertical) {
        at.y = saturateToInt32(at.y + reach(floatY, picture.h));
    }
    return at;
}

Handle handleAt(Bounds picture, int floatX, int floatY, int x, int y) {
    const int64_t toHorizontal = distanceTo(place(picture, floatX, floatY, Handle::Horizontal), x, y);
    const int64_t toVertical = distanceTo(place(picture, floatX, floatY, Handle::Vertical), x, y);
    if (std::min(toHorizontal, toVertical) > kGrab) {
        return Handle::None;
    }
    return toHorizontal <= toVertical ? Handle::Horizontal : Handle::Vertical;
}

int dragged(Bounds picture, int floatX, int floatY, Handle handle, int dx, int dy, bool free) {
    const bool horizontal = handle == Handle::Horizontal;
    const int value = horizontal ? floatX : floatY;
    const int moved = horizontal ? dx : dy;
    if (handle == Handle::None || moved == 0) {
        return value;
    }
    const int64_t from = reach(value, horizontal ? picture.w : picture.h);
    return snapped(saturateToInt32(from + moved), free);
}

int stepped(int value, int by) {
    const int64_t size = std::max<int64_t>(std::llabs(int64_t{value}) + by, 0);
    return saturateToInt32(value < 0 ? -size : size);
}

}  // namespace floathandles
