#include "game/PlayStep.h"

#include "level/Level.h"
#include "objects/Checkpoint.h"
#include "objects/Movement.h"

namespace {

Bounds goalBox(const Level& level) {
    return Bounds{level.goal.x, level.goal.y, level.goal.width, level.goal.height};
}

// The player as a spawn makes it, at the level's start or the checkpoint touched last; a held
// arrow keeps walking.
PlayerBody spawned(const PlayWorld& world, const HeldArrows& held, int checkpoint) {
    const Level& level = *world.level;
    PlayerBody body = world.newcomer;
    body.x = level.spawnX;
    body.y = level.spawnY;
    if (checkpoint >= 0 && checkpoint < static_cast<int>(level.checkpoints.size())) {
        const Bounds back = level.checkpoints[checkpoint]->respawnBox(body.width, body.height);
        body.x = back.x;
        body.y = back.y;
    }
    if (held.right) {
        body.walk(true);
    } else if (held.left) {
        body.walk(false);
    }
    return body;
}

// Lights a checkpoint the player touches that is not lit already; true when one was.
bool touchCheckpoint(const Level& level, PlayState& state) {
    for (size_t i = 0; i < level.checkpoints.size(); ++i) {
        const int index = static_cast<int>(i);
        if (index != state.scenery.litCheckpoint && overlaps(state.player.box(), level.checkpoints[i]->box())) {
            state.scenery.litCheckpoint = index;
            return true;
        }
    }
    return false;
}

}  // namespace

PlayState startPlay(const PlayWorld& world, HeldArrows held) {
    PlayState state;
    state.arrows = held;
    state.scenery = sceneryOf(*world.level);
    state.player = spawned(world, held, -1);
    return state;
}

PlayEvents stepPlay(const PlayWorld& world, PlayState& state) {
    const Level& level = *world.level;
    PlayEvents events;
    if (applyTickMotion(level, state.player)) {
        events.add(PlayEvent::Kind::Landed, state.player.box());
    }
    if (touchesHazard(level, state.scenery.traps, state.player.box())) {
        events.add(PlayEvent::Kind::TouchedHazard, state.player.box());
        state.player = spawned(world, state.arrows, state.scenery.litCheckpoint);
        events.add(PlayEvent::Kind::Respawned, state.player.box());
    } else {
        if (touchCheckpoint(level, state)) {
            events.add(PlayEvent::Kind::ReachedCheckpoint, state.player.box());
        }
        if (overlaps(state.player.box(), goalBox(level))) {
            events.add(PlayEvent::Kind::ReachedGoal, state.player.box());
        }
    }
    advancePictures(world, state);
    return events;
}

void advancePictures(const PlayWorld& world, PlayState& state) {
    advanceScenery(*world.level, state.scenery);
    state.player.advancePose();
}

void holdArrow(PlayState& state, bool right, bool down) {
    (right ? state.arrows.right : state.arrows.left) = down;
    if (down) {
        state.arrows.lastRight = right;
    }
}

void pressArrow(PlayState& state, bool right) {
    holdArrow(state, right, true);
    state.player.walk(right);
}

void releaseArrow(PlayState& state, bool right) {
    holdArrow(state, right, false);
    const bool otherHeld = right ? state.arrows.left : state.arrows.right;
    if (otherHeld) {
        state.player.walk(!right);
    } else {
        state.player.walkAcceleration = 0;
    }
}

void walkAsHeld(PlayState& state) {
    const HeldArrows& held = state.arrows;
    if (held.left && held.right) {
        state.player.walk(held.lastRight);
    } else if (held.left || held.right) {
        state.player.walk(held.right);
    } else {
        state.player.walkAcceleration = 0;
    }
}

PlayEvents pressJump(const PlayWorld& world, PlayState& state) {
    PlayEvents events;
    if (collides(*world.level, state.player.probeVertical(1))) {
        state.player.jump();
        events.add(PlayEvent::Kind::Jumped, state.player.box());
    }
    return events;
}
