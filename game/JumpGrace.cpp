#include "game/JumpGrace.h"

#include "game/PlayStep.h"
#include "level/Level.h"
#include "objects/Movement.h"

namespace {

bool standing(const PlayWorld& world, const PlayState& state) {
    return state.player.velocityY >= 0 && collides(*world.level, state.player.probeVertical(1));
}

}  // namespace

PlayEvents JumpGrace::press(const PlayWorld& world, PlayState& state) {
    PlayEvents events = pressJump(world, state);
    if (events.size() != 0) {
        jumpedSinceGround = true;
        pressedAgo = kNone;
        return events;
    }
    if (!jumpedSinceGround && ticksOffGround <= kGraceTicks) {
        state.player.jump();
        events.add(PlayEvent::Kind::Jumped, state.player.box());
        jumpedSinceGround = true;
        pressedAgo = kNone;
        return events;
    }
    pressedAgo = 0;
    return events;
}

PlayEvents JumpGrace::afterTick(const PlayWorld& world, PlayState& state, const PlayEvents& tick) {
    if (tick.has(PlayEvent::Kind::Respawned) || tick.has(PlayEvent::Kind::ReachedGoal)) {
        reset();
        return PlayEvents();
    }
    if (standing(world, state)) {
        ticksOffGround = 0;
        jumpedSinceGround = false;
    } else if (ticksOffGround <= kGraceTicks) {
        ++ticksOffGround;
    }
    PlayEvents events;
    if (pressedAgo == kNone) {
        return events;
    }
    if (ticksOffGround == 0) {
        events = pressJump(world, state);
        if (events.size() != 0) {
            jumpedSinceGround = true;
            pressedAgo = kNone;
            return events;
        }
    }
    ++pressedAgo;
    if (pressedAgo > kGraceTicks) {
        pressedAgo = kNone;
    }
    return events;
}
