#include "graphics/ScreenArea.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {
// Window units beyond the shown edge that still count as shown, against rounding in the driver.
constexpr double kEdgeMargin = 2.0;
// Beyond this a float no longer holds every whole pixel: such projections are not trusted.
constexpr double kLargestTrusted = 1 << 22;

bool onlyScaleAndShift(const GLfloat m[16]) {
    // Column-major: m[0], m[5] scale, m[12], m[13] shift; no rotation, no perspective.
    return m[1] == 0 && m[2] == 0 && m[3] == 0 && m[4] == 0 && m[6] == 0 && m[7] == 0 && m[11] == 0 && m[15] == 1 &&
           m[0] != 0 && m[5] != 0;
}

bool isIdentity(const GLfloat m[16]) {
    for (int i = 0; i < 16; ++i) {
        if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f)) {
            return false;
        }
    }
    return true;
}

// The coordinates that land within -1 ... 1 after scale and shift.
bool shownRange(double scale, double shift, int64_t& low, int64_t& high) {
    double a = (-1.0 - shift) / scale;
    double b = (1.0 - shift) / scale;
    double first = std::min(a, b) - kEdgeMargin;
    double last = std::max(a, b) + kEdgeMargin;
    if (!std::isfinite(first) || !std::isfinite(last) || first < -kLargestTrusted || last > kLargestTrusted) {
        return false;
    }
    low = static_cast<int64_t>(std::floor(first));
    high = static_cast<int64_t>(std::ceil(last));
    return true;
}
}  // namespace

ScreenArea ScreenArea::current() {
    ScreenArea area;
    GLfloat projection[16];
    GLfloat modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    if (!onlyScaleAndShift(projection) || !isIdentity(modelview)) {
        return area;
    }
    area.known = shownRange(projection[0], projection[12], area.left, area.right) &&
                 shownRange(projection[5], projection[13], area.top, area.bottom);
    return area;
}
