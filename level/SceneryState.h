#pragma once
#include <cstdint>
#include <vector>

#include "objects/TrapMotion.h"

class Level;

// Everything a tick changes in a level apart from the player: each trap's motion, the bobbing
// phase of each piece of scenery (back and front lists, and the goal) and how many ticks the
// scenery has run, which the platforms' animations follow. A plain value.
struct SceneryState {
    std::vector<TrapMotion> traps;
    std::vector<float> backPhases;
    std::vector<float> frontPhases;
    float goalPhase = 0.0f;
    int64_t ticks = 0;
    // The checkpoint touched last, where a respawn comes back to; -1 for the level's start.
    int litCheckpoint = -1;
};

// The scenery as the level was loaded (the random phases its objects drew).
SceneryState sceneryOf(const Level& level);

// One tick of scenery: every trap floats and animates, every floating piece bobs, the ticks
// count on. Unseen things advance like seen ones.
void advanceScenery(const Level& level, SceneryState& scenery);
