#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Bounds.h"
#include "graphics/ScreenArea.h"
#include "level/SpatialGrid.h"
#include "objects/TrapMotion.h"

class Decoration;
class Level;
class Object;

// Where a level's things are, filed at load so that a tick's work follows what is near the
// player and on screen rather than the size of the level: the platforms' boxes for the move,
// the traps' reach for the hazard test, and the pictures of platforms and scenery for drawing.
// It answers for the lists as they stood when it was built; a level whose lists have grown or
// shrunk since is answered by walking the lists.
class LevelIndex {
public:
    void build(const Level& level);

    // Whether the index still matches the level's lists.
    bool coversPlatforms(const Level& level) const;
    bool coversTraps(const Level& level) const;
    bool coversDecorations(const Level& level) const;

    // True when any platform's box overlaps the box (the strict overlap rule).
    bool anyPlatformOverlaps(const Level& level, Bounds box) const;
    // True when any trap's box, where its motion has taken it, overlaps the box; traps holds
    // one motion for each of the level's traps.
    bool anyTrapOverlaps(const Level& level, const std::vector<TrapMotion>& traps, Bounds box) const;

    // The platforms whose picture may show in the world area, in list order.
    void platformsShown(SpatialGrid::Area world, std::vector<int32_t>& found) const;
    // The back (or front) scenery that may show in the view, in list order: every floating
    // piece (its bobbing runs on while unseen) and every other piece near the view at its depth.
    void decorationsShown(bool front, Bounds view, std::vector<int32_t>& found) const;

private:
    struct DepthGroup {
        int z = 0;
        SpatialGrid grid;
        std::vector<int32_t> members;
    };
    struct DecorationLayer {
        std::vector<DepthGroup> depths;
        std::vector<int32_t> alwaysShown;
        size_t built = 0;
    };

    static void fileDecorations(const std::vector<Decoration*>& list, DecorationLayer& layer);
    static void queryLayer(const DecorationLayer& layer, Bounds view, std::vector<int32_t>& found);

    SpatialGrid platformBoxes;
    SpatialGrid platformPictures;
    SpatialGrid trapReach;
    DecorationLayer back;
    DecorationLayer front;
    size_t builtPlatforms = 0;
    size_t builtTraps = 0;
    bool built = false;
    mutable std::vector<int32_t> scratch;
};

// Positions, sizes and offsets within this range (every sum of two 32-bit values) are culled;
// anything beyond it, which only saturated sums reach, is always drawn.
bool withinCullingRange(int64_t value);

// Whether an object's picture, drawn with this offset, may show in the screen area.
bool pictureMayShow(const Object& object, int offsetX, int offsetY, const ScreenArea& screen);
