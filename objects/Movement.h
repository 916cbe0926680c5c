#pragma once
#include <vector>

#include "core/Bounds.h"
#include "objects/TrapMotion.h"

class Level;
struct Body;
struct PlayerBody;

// The motion rules of the world: functions of a body and the level's fixed geometry, which
// play no sound and draw nothing.

// The one overlap rule: strict on all four sides, so shared edges and corners do not overlap.
bool overlaps(Bounds a, Bounds b);

// True when the box may not be occupied: past the level's top, left or right edge (there is
// no bottom wall), or overlapping a platform.
bool collides(const Level& level, Bounds box);

enum class Axis { X, Y };

// Searches the line from target back toward start (step is the major axis' direction, slope
// the minor displacement per major pixel) and returns the first free box; start itself is
// never tested and is returned when every candidate is blocked.
Bounds sweep(const Level& level, Bounds start, Bounds target, Axis axis, float slope, int step);

// What a move found under the body: nothing tested (it did not move), or the probes' verdict.
enum class Contact { Unmoved, Ground, Air };

// One tick's move against the level's edges and platforms, then the wall and floor probes:
// a wall stops the horizontal speed, a floor (or ceiling) lands the body, and off the ground
// the friction goes.
Contact moveWithCollision(const Level& level, Body& body);

// True when the box reaches below the level or overlaps a trap where its motion has taken it;
// traps holds one motion for each of the level's traps.
bool touchesHazard(const Level& level, const std::vector<TrapMotion>& traps, Bounds box);

// The player's motion in a tick, in its order: gravity, walking or friction, the move, the
// grounded state and pose. True when the player touched down.
bool applyTickMotion(const Level& level, PlayerBody& player);
