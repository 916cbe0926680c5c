#pragma once
#include "core/Bounds.h"

class Level;
class Object;
class Player;

// The motion rules of the world, pure apart from the landing sound and poses that
// moveWithCollision triggers through the object's setGrounded.

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

// One tick's move against the level's edges and platforms, then the wall and floor probes.
void moveWithCollision(const Level& level, Object& object);

// True when the box reaches below the level or overlaps a trap where it last was drawn.
bool touchesHazard(const Level& level, Bounds box);

// The start of the game's tick, in its order: gravity, walking or friction, the move.
void applyTickMotion(const Level& level, Player& player);
