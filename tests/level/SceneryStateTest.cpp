#include "level/SceneryState.h"

#include <gtest/gtest.h>

#include "graphics/Decoration.h"
#include "level/Level.h"

namespace {
const double kDegree = 0.017453305555555555;
}  // namespace

// A floating piece's phase steps every tick, seen or not; it is never wrapped. Drawing leaves it.
TEST(DecorationStateTest, FloatingPhaseStepsEveryTickAndDrawingLeavesIt) {
    Level level;
    Decoration* far = new Decoration();
    level.frontDecorations.push_back(far);
    far->floating = true;
    far->phase = 0.0f;
    far->z = -2;
    far->x = 1000000;  // far outside the view
    Decoration* still = new Decoration();
    level.backDecorations.push_back(still);
    still->phase = 0.25f;

    SceneryState scenery = sceneryOf(level);
    advanceScenery(level, scenery);
    const float once = static_cast<float>(0.0f + kDegree);
    EXPECT_EQ(scenery.frontPhases[0], once);
    advanceScenery(level, scenery);
    EXPECT_EQ(scenery.frontPhases[0], static_cast<float>(once + kDegree));
    EXPECT_EQ(scenery.backPhases[0], 0.25f);

    scenery.frontPhases[0] = 100.0f;
    advanceScenery(level, scenery);
    EXPECT_GT(scenery.frontPhases[0], 100.0f);

    far->draw(0, 0, 0, 0, 640, 480);
    EXPECT_EQ(far->phase, 0.0f);
    level.show(scenery);
    EXPECT_EQ(far->phase, scenery.frontPhases[0]);
}
