#pragma once
#include "game/PlayEvents.h"
#include "game/PlayState.h"

// The "jump grace" assist over the play step's rules: Space pressed up to kGraceTicks ticks
// before landing jumps on landing, and Space pressed up to kGraceTicks ticks after walking off a
// ledge (not after a jump) still jumps. Pure bookkeeping beside the play state; off, the game
// calls pressJump alone.
class JumpGrace {
public:
    static constexpr int kGraceTicks = 4;

    // Space: the jump as the rules allow it, else a late jump off a ledge, else the press is kept.
    PlayEvents press(const PlayWorld& world, PlayState& state);
    // After each tick, with its events: a kept press jumps once the player stands again.
    PlayEvents afterTick(const PlayWorld& world, PlayState& state, const PlayEvents& tick);
    // A new level or a fresh start forgets everything.
    void reset() { *this = JumpGrace(); }

private:
    static constexpr int kNone = -1;
    int pressedAgo = kNone;
    int ticksOffGround = kGraceTicks + 1;
    bool jumpedSinceGround = false;
};
