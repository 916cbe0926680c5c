#include "objects/Movement.h"

#include <cstdint>
#include <cstdlib>

#include "core/SaturatingMath.h"
#include "level/Level.h"
#include "objects/MotionTuning.h"
#include "objects/Platform.h"
#include "objects/PlayerBody.h"
#include "objects/Trap.h"

namespace {

int64_t farEdge(int32_t position, int32_t size) {
    return static_cast<int64_t>(position) + size;
}

int32_t major(Bounds box, Axis axis) {
    return axis == Axis::X ? box.x : box.y;
}

int32_t minor(Bounds box, Axis axis) {
    return axis == Axis::X ? box.y : box.x;
}

Bounds boxAt(Bounds size, Axis axis, int32_t majorCoordinate, int32_t minorCoordinate) {
    if (axis == Axis::X) {
        return Bounds{majorCoordinate, minorCoordinate, size.w, size.h};
    }
    return Bounds{minorCoordinate, majorCoordinate, size.w, size.h};
}
}  // namespace

bool overlaps(Bounds a, Bounds b) {
    return a.x < farEdge(b.x, b.w) && b.x < farEdge(a.x, a.w) && a.y < farEdge(b.y, b.h) && b.y < farEdge(a.y, a.h);
}

bool collides(const Level& level, Bounds box) {
    if (box.y < 0 || box.x < 0 || farEdge(box.x, box.w) > level.width) {
        return true;
    }
    if (level.index.coversPlatforms(level)) {
        return level.index.anyPlatformOverlaps(level, box);
    }
    for (const Platform* platform : level.platforms) {
        if (overlaps(box, platform->box())) {
            return true;
        }
    }
    return false;
}

Bounds sweep(const Level& level, Bounds start, Bounds target, Axis axis, float slope, int step) {
    const int64_t startMajor = major(start, axis);
    const int64_t targetMajor = major(target, axis);
    const int64_t n = std::llabs(targetMajor - startMajor);
    // The minor start is taken as a 32-bit float, as the game has always placed the line.
    const double startMinor = static_cast<float>(minor(start, axis));
    for (int64_t k = 0; k < n; ++k) {
        const int64_t candidateMajor = targetMajor - k * step;
        const int64_t d = candidateMajor - startMajor;
        const double candidateMinor = startMinor + static_cast<double>(slope) * static_cast<double>(d);
        const Bounds candidate =
            boxAt(start, axis, saturateToInt32(candidateMajor), saturateToInt32(static_cast<int64_t>(candidateMinor)));
        if (!collides(level, candidate)) {
            return candidate;
        }
    }
    return start;
}

Contact moveWithCollision(const Level& level, Body& body) {
    const Bounds start = body.box();
    const Bounds target = body.nextPosition();
    const int64_t dx = static_cast<int64_t>(target.x) - start.x;
    const int64_t dy = static_cast<int64_t>(target.y) - start.y;
    if (dx == 0 && dy == 0) {
        return Contact::Unmoved;
    }

    const Axis axis = std::llabs(dx) > std::llabs(dy) ? Axis::X : Axis::Y;
    const int64_t majorMove = axis == Axis::X ? dx : dy;
    const int64_t minorMove = axis == Axis::X ? dy : dx;
    const int step = majorMove > 0 ? 1 : -1;
    const float slope = static_cast<float>(static_cast<double>(minorMove) / static_cast<double>(majorMove));

    const Bounds reached = sweep(level, start, target, axis, slope, step);
    body.x = reached.x;
    body.y = reached.y;

    if (collides(level, body.probeHorizontal())) {
        body.stopHorizontal();
    }
    // A ceiling lands the body too, but only what it met moving down is ground.
    const bool blocked = collides(level, body.probeVertical(0));
    if (blocked) {
        body.land(tuning::kGroundFriction);
    }
    const bool onGround = blocked && dy >= 0;
    body.setGrounded(onGround);
    return onGround ? Contact::Ground : Contact::Air;
}

bool touchesHazard(const Level& level, const std::vector<TrapMotion>& traps, Bounds box) {
    if (farEdge(box.y, box.h) > level.height) {
        return true;
    }
    if (level.index.coversTraps(level)) {
        return level.index.anyTrapOverlaps(level, traps, box);
    }
    for (size_t i = 0; i < level.traps.size(); ++i) {
        const Bounds trap{traps[i].x, traps[i].y, level.traps[i]->width, level.traps[i]->height};
        if (overlaps(box, trap)) {
            return true;
        }
    }
    return false;
}

bool applyTickMotion(const Level& level, PlayerBody& player) {
    player.velocityY = saturateToInt32(static_cast<int64_t>(player.velocityY) + tuning::kGravity);
    player.applyWalk();
    const Contact contact = moveWithCollision(level, player);
    return contact != Contact::Unmoved && player.touchGround(contact == Contact::Ground);
}
