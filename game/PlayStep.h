#pragma once
#include "game/PlayEvents.h"
#include "game/PlayState.h"

// The rules of play as functions of the state and the world: a tick, the keys, a spawn. They
// play no sound, draw nothing, log nothing and touch no process-wide manager; what they did
// comes back as events.

// A level's play as it starts: the scenery as loaded, the player at the level's start walking
// as the arrows are held (right wins when both are).
PlayState startPlay(const PlayWorld& world, HeldArrows held);

// One tick: gravity, walking and the move; then a hazard (a trap, or below the level) respawns
// the player (at the checkpoint touched last, if any), or else the checkpoints and the goal are
// tested; then the scenery and the pose advance one tick.
PlayEvents stepPlay(const PlayWorld& world, PlayState& state);

// The part of a tick that the pictures take: the scenery and the player's pose. A level that
// starts inside a tick takes it once, so its first frame is the tick's.
void advancePictures(const PlayWorld& world, PlayState& state);

// An arrow goes down or up. The flags alone change while play is held (paused); walkAsHeld
// then brings the walk in line with them.
void holdArrow(PlayState& state, bool right, bool down);
// Down: walks that way. Up: hands the walk to the other arrow if it is held, or stops walking.
void pressArrow(PlayState& state, bool right);
void releaseArrow(PlayState& state, bool right);
void walkAsHeld(PlayState& state);

// Space: jumps when the box one pixel down (or up while rising) is blocked.
PlayEvents pressJump(const PlayWorld& world, PlayState& state);
