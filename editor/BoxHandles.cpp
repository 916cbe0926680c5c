#include "editor/BoxHandles.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/SaturatingMath.h"
#include "editor/EditorView.h"

namespace boxhandles {

namespace {

// Level numbers may lie near the int limits: edges are worked out in 64 bits.
bool near(int64_t a, int64_t b) {
    return std::llabs(a - b) <= kGrab;
}

bool within(int64_t value, int64_t from, int64_t length) {
    return value >= from - kGrab && value <= from + length + kGrab;
}

int64_t moved(int64_t edge, int delta, bool free) {
    return snapped(saturateToInt32(edge + delta), free);
}

}  // namespace

unsigned edgesAt(Bounds box, int x, int y) {
    if (!within(x, box.x, box.w) || !within(y, box.y, box.h)) {
        return kNone;
    }
    const int64_t right = int64_t{box.x} + box.w;
    const int64_t bottom = int64_t{box.y} + box.h;
    unsigned edges = kNone;
    // Of two edges both in reach the nearer wins, the far one on a tie.
    if (near(x, right) && std::llabs(x - right) <= std::llabs(int64_t{x} - box.x)) {
        edges |= kRight;
    } else if (near(x, box.x)) {
        edges |= kLeft;
    }
    if (near(y, bottom) && std::llabs(y - bottom) <= std::llabs(int64_t{y} - box.y)) {
        edges |= kBottom;
    } else if (near(y, box.y)) {
        edges |= kTop;
    }
    return edges;
}

Bounds resized(Bounds box, unsigned edges, int dx, int dy, bool free) {
    int64_t left = box.x;
    int64_t top = box.y;
    int64_t right = left + box.w;
    int64_t bottom = top + box.h;
    if (edges & kLeft) {
        left = std::min(moved(left, dx, free), right - kSmallest);
    }
    if (edges & kRight) {
        right = std::max(moved(right, dx, free), left + kSmallest);
    }
    if (edges & kTop) {
        top = std::min(moved(top, dy, free), bottom - kSmallest);
    }
    if (edges & kBottom) {
        bottom = std::max(moved(bottom, dy, free), top + kSmallest);
    }
    return Bounds{saturateToInt32(left), saturateToInt32(top), saturateToInt32(right - left),
                  saturateToInt32(bottom - top)};
}

}  // namespace boxhandles
