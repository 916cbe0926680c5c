#include "level/LevelIndex.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "graphics/Decoration.h"
#include "graphics/Image.h"
#include "graphics/Parallax.h"
#include "level/Level.h"
#include "objects/Movement.h"
#include "objects/Platform.h"
#include "objects/Trap.h"

namespace {
// Pixels beyond a picture's edges that still count as part of it, against float rounding.
constexpr int64_t kPictureMargin = 2;
// How far bobbing moves scenery from its place, in whole pixels.
constexpr int64_t kBobReach = 20;
// Scenery at more distinct depths than this is drawn the plain way, piece by piece.
constexpr size_t kMostDepths = 16;
// Every place and offset a level's 32-bit numbers can make lies within this. Places and offsets
// are summed in 64 bits and only pictures at the screen reach the floats of drawing, so a
// picture far out along a long level is culled as exactly as one near its start.
constexpr int64_t kModest = int64_t{1} << 32;

bool modest(int64_t value) {
    return withinCullingRange(value);
}

bool modestBox(int64_t x, int64_t y, int64_t w, int64_t h) {
    return modest(x) && modest(y) && modest(w) && modest(h);
}

SpatialGrid::Area boxArea(Bounds box) {
    return SpatialGrid::Area{box.x, box.y, int64_t{box.x} + box.w, int64_t{box.y} + box.h};
}

// The positions a floating coordinate takes: its base plus or minus the amplitude, and where it
// stands now (placed before its amplitude changed, it may lie off that path until drawn).
void reach(int32_t now, int32_t base, int32_t amplitude, int64_t& low, int64_t& high) {
    low = now;
    high = now;
    if (amplitude != 0) {
        const int64_t swing = std::llabs(int64_t{amplitude});
        low = std::min(low, base - swing);
        high = std::max(high, base + swing);
    }
}

SpatialGrid::Area trapReach(const Trap& trap) {
    int64_t left, right, top, bottom;
    reach(trap.x, trap.baseX, trap.floatX, left, right);
    reach(trap.y, trap.baseY, trap.floatY, top, bottom);
    return SpatialGrid::Area{left + std::min<int64_t>(0, trap.width), top + std::min<int64_t>(0, trap.height),
                             right + std::max<int64_t>(0, trap.width), bottom + std::max<int64_t>(0, trap.height)};
}

// The picture of a platform in level pixels, with a margin; false when it is not modest.
bool pictureArea(const Object& object, SpatialGrid::Area& area) {
    const Image* image = object.image;
    if (image == nullptr) {
        area = SpatialGrid::Area{0, 0, 0, 0};
        return true;
    }
    const int64_t left = int64_t{object.x} + image->x;
    const int64_t top = int64_t{object.y} + image->y;
    const int64_t w = static_cast<int64_t>(image->frameWidth);
    const int64_t h = static_cast<int64_t>(image->frameHeight);
    if (!modestBox(left, top, w, h)) {
        return false;
    }
    area = SpatialGrid::Area{left - kPictureMargin, top - kPictureMargin, left + w + kPictureMargin,
                             top + h + kPictureMargin};
    return true;
}

// Scenery's own rectangle, grown by its bobbing where it bobs (depth 0 and behind).
SpatialGrid::Area sceneryArea(const Decoration& decoration) {
    const int64_t bob = decoration.z >= 0 ? kBobReach : 0;
    const int64_t x = decoration.x;
    const int64_t y = decoration.y;
    const int64_t right = x + decoration.width;
    const int64_t bottom = y + decoration.height;
    return SpatialGrid::Area{std::min(x, right) - kPictureMargin, std::min(y, bottom) - bob - kPictureMargin,
                             std::max(x, right) + kPictureMargin, std::max(y, bottom) + bob + kPictureMargin};
}
}  // namespace

void LevelIndex::build(const Level& level) {
    platformBoxes.clear();
    platformPictures.clear();
    for (size_t i = 0; i < level.platforms.size(); ++i) {
        const Platform& platform = *level.platforms[i];
        platformBoxes.insert(static_cast<int32_t>(i), boxArea(platform.box()));
        SpatialGrid::Area picture;
        if (!pictureArea(platform, picture)) {
            // Too far out to reckon with floats: filed everywhere, so it is always drawn.
            picture = SpatialGrid::Area{-kModest, -kModest, kModest, kModest};
        }
        platformPictures.insert(static_cast<int32_t>(i), picture);
    }
    builtPlatforms = level.platforms.size();

    trapReach.clear();
    for (size_t i = 0; i < level.traps.size(); ++i) {
        trapReach.insert(static_cast<int32_t>(i), ::trapReach(*level.traps[i]));
    }
    builtTraps = level.traps.size();

    fileDecorations(level.backDecorations, back);
    fileDecorations(level.frontDecorations, front);
    built = true;
}

void LevelIndex::fileDecorations(const std::vector<Decoration*>& list, DecorationLayer& layer) {
    layer = DecorationLayer();
    std::map<int, size_t> groupOfDepth;
    for (size_t i = 0; i < list.size(); ++i) {
        const Decoration& decoration = *list[i];
        const int32_t item = static_cast<int32_t>(i);
        const bool placeable = modestBox(decoration.x, decoration.y, decoration.width, decoration.height);
        auto group = groupOfDepth.find(decoration.z);
        if (group == groupOfDepth.end() && placeable && layer.depths.size() < kMostDepths) {
            group = groupOfDepth.emplace(decoration.z, layer.depths.size()).first;
            layer.depths.emplace_back();
            layer.depths.back().z = decoration.z;
        }
        if (decoration.floating || !placeable || group == groupOfDepth.end()) {
            layer.alwaysShown.push_back(item);
            continue;
        }
        DepthGroup& depth = layer.depths[group->second];
        depth.grid.insert(static_cast<int32_t>(depth.members.size()), sceneryArea(decoration));
        depth.members.push_back(item);
    }
    layer.built = list.size();
}

bool LevelIndex::coversPlatforms(const Level& level) const {
    return built && level.platforms.size() == builtPlatforms;
}

bool LevelIndex::coversTraps(const Level& level) const {
    return built && level.traps.size() == builtTraps;
}

bool LevelIndex::coversDecorations(const Level& level) const {
    return built && level.backDecorations.size() == back.built && level.frontDecorations.size() == front.built;
}

bool LevelIndex::anyPlatformOverlaps(const Level& level, Bounds box) const {
    platformBoxes.query(boxArea(box), scratch);
    for (int32_t i : scratch) {
        if (overlaps(box, level.platforms[i]->box())) {
            return true;
        }
    }
    return false;
}

bool LevelIndex::anyTrapOverlaps(const Level& level, const std::vector<TrapMotion>& traps, Bounds box) const {
    trapReach.query(boxArea(box), scratch);
    for (int32_t i : scratch) {
        const Trap& trap = *level.traps[i];
        if (overlaps(box, Bounds{traps[i].x, traps[i].y, trap.width, trap.height})) {
            return true;
        }
    }
    return false;
}

void LevelIndex::platformsShown(SpatialGrid::Area world, std::vector<int32_t>& found) const {
    platformPictures.query(world, found);
}

void LevelIndex::decorationsShown(bool inFront, Bounds view, std::vector<int32_t>& found) const {
    queryLayer(inFront ? front : back, view, found);
}

void LevelIndex::queryLayer(const DecorationLayer& layer, Bounds view, std::vector<int32_t>& found) {
    found.assign(layer.alwaysShown.begin(), layer.alwaysShown.end());
    std::vector<int32_t> near;
    for (const DepthGroup& depth : layer.depths) {
        const ParallaxShift shift = parallaxShift(depth.z, view.x, view.y);
        // The view as the scenery of this depth sees it: a piece shows where its own rectangle
        // meets the view moved back by the parallax.
        const int64_t left = view.x - shift.x;
        const int64_t top = view.y - shift.y;
        depth.grid.query(SpatialGrid::Area{left, top, left + view.w, top + view.h}, near);
        for (int32_t member : near) {
            found.push_back(depth.members[member]);
        }
    }
    std::sort(found.begin(), found.end());
}

bool withinCullingRange(int64_t value) {
    return value > -kModest && value < kModest;
}

bool pictureMayShow(const Object& object, int offsetX, int offsetY, const ScreenArea& screen) {
    SpatialGrid::Area picture;
    if (!screen.known || !modest(offsetX) || !modest(offsetY) || !pictureArea(object, picture)) {
        return true;
    }
    picture.left += offsetX;
    picture.right += offsetX;
    picture.top += offsetY;
    picture.bottom += offsetY;
    return picture.left < screen.right && screen.left < picture.right && picture.top < screen.bottom &&
           screen.top < picture.bottom;
}
