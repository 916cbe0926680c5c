#pragma once
#include "level/SceneryState.h"
#include "objects/PlayerBody.h"

class Level;

// The arrows held down, and which of the two went down last (it wins while both are held).
struct HeldArrows {
    bool left = false;
    bool right = false;
    bool lastRight = false;
};

// Everything a tick of play changes: the player's body, the level's scenery and the arrows
// held. A plain value: copy it to branch a play, compare it to tell two plays apart.
struct PlayState {
    PlayerBody player;
    SceneryState scenery;
    HeldArrows arrows;
};

// What play reads and never changes: the level as loaded, and the player as a spawn makes it
// (sprite cut, box set, not yet placed). The level must outlive the world.
struct PlayWorld {
    const Level* level = nullptr;
    PlayerBody newcomer;
};
