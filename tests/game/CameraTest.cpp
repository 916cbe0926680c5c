#include "game/Camera.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "sound/ISoundEngine.h"
#include "sound/WubManager.h"
#include "support/RecordingSoundEngine.h"

namespace {

// Puts an engine in the sound manager's place for one test and gives the old one back.
class ScopedEngine {
public:
    explicit ScopedEngine(irrklang::ISoundEngine* engine) : saved(WubManager::instance()->engine) {
        WubManager::instance()->engine = engine;
    }
    ~ScopedEngine() { WubManager::instance()->engine = saved; }
    ScopedEngine(const ScopedEngine&) = delete;
    ScopedEngine& operator=(const ScopedEngine&) = delete;

private:
    irrklang::ISoundEngine* saved;
};

Camera viewOf(int width, int height) {
    Camera camera;
    camera.width = width;
    camera.height = height;
    return camera;
}

void expectVector(const irrklang::vec3df& v, float x, float y, float z) {
    EXPECT_EQ(v.X, x);
    EXPECT_EQ(v.Y, y);
    EXPECT_EQ(v.Z, z);
}

TEST(CameraTest, StartsAtTheOriginOneHundredSquare) {
    Camera camera;
    EXPECT_EQ(camera.x, 0);
    EXPECT_EQ(camera.y, 0);
    EXPECT_EQ(camera.width, 100);
    EXPECT_EQ(camera.height, 100);
    const Bounds view = camera.view();
    EXPECT_EQ(view.x, 0);
    EXPECT_EQ(view.w, 100);
    EXPECT_EQ(view.h, 100);
}

TEST(CameraTest, ViewCarriesTheFourFields) {
    Camera camera;
    camera.x = -3;
    camera.y = 7;
    camera.width = 640;
    camera.height = 480;
    const Bounds view = camera.view();
    EXPECT_EQ(view.x, -3);
    EXPECT_EQ(view.y, 7);
    EXPECT_EQ(view.w, 640);
    EXPECT_EQ(view.h, 480);
}

// ---- centring and clamping, with the worked player boxes ----

TEST(CameraClampTest, PlayerNearTheLeftEdge) {
    Camera camera = viewOf(640, 480);
    camera.centerOn(Bounds{100, 300, 34, 46});
    EXPECT_EQ(camera.x, -203);
    EXPECT_EQ(camera.y, 83);
    camera.clampToLevel(2000, 600);
    EXPECT_EQ(camera.x, 0);
    EXPECT_EQ(camera.y, 83);
    EXPECT_EQ(camera.width, 640);
    EXPECT_EQ(camera.height, 480);
}

TEST(CameraClampTest, PlayerNearTheBottomRightCorner) {
    Camera camera = viewOf(640, 480);
    camera.centerOn(Bounds{1900, 560, 34, 46});
    EXPECT_EQ(camera.x, 1597);
    EXPECT_EQ(camera.y, 343);
    camera.clampToLevel(2000, 600);
    EXPECT_EQ(camera.x, 1360);
    EXPECT_EQ(camera.y, 120);
}

TEST(CameraClampTest, ViewAsLargeAsTheLevelAlwaysStandsAtTheOrigin) {
    for (const Bounds box :
         {Bounds{0, 0, 34, 46}, Bounds{600, 430, 34, 46}, Bounds{320, 240, 34, 46}, Bounds{-50, 900, 34, 46}}) {
        Camera camera = viewOf(640, 480);
        camera.centerOn(box);
        camera.clampToLevel(640, 480);
        EXPECT_EQ(camera.x, 0) << box.x << "," << box.y;
        EXPECT_EQ(camera.y, 0) << box.x << "," << box.y;
    }
}

TEST(CameraClampTest, LevelNarrowerThanTheViewDependsOnTheSideOfTheCentre) {
    Camera left = viewOf(640, 480);
    left.centerOn(Bounds{10, 100, 34, 46});
    left.clampToLevel(500, 2000);
    EXPECT_EQ(left.x, 0);

    Camera right = viewOf(640, 480);
    right.centerOn(Bounds{400, 100, 34, 46});
    right.clampToLevel(500, 2000);
    EXPECT_EQ(right.x, -140);

    // A centre of 319 gives -1 and is clamped to 0; a centre of exactly 320 gives 0, not negative.
    Camera justLeft = viewOf(640, 480);
    justLeft.centerOn(Bounds{302, 100, 34, 46});
    ASSERT_EQ(justLeft.x, -1);
    justLeft.clampToLevel(500, 2000);
    EXPECT_EQ(justLeft.x, 0);

    Camera atCentre = viewOf(640, 480);
    atCentre.centerOn(Bounds{303, 100, 34, 46});
    ASSERT_EQ(atCentre.x, 0);
    atCentre.clampToLevel(500, 2000);
    EXPECT_EQ(atCentre.x, -140);
}

TEST(CameraClampTest, LevelLowerThanTheViewDependsOnTheSideOfTheCentre) {
    Camera top = viewOf(640, 480);
    top.centerOn(Bounds{100, 10, 34, 46});
    top.clampToLevel(2000, 300);
    EXPECT_EQ(top.y, 0);

    Camera bottom = viewOf(640, 480);
    bottom.centerOn(Bounds{100, 250, 34, 46});
    bottom.clampToLevel(2000, 300);
    EXPECT_EQ(bottom.y, -180);
}

TEST(CameraClampTest, ViewInsideTheLevelIsLeftAlone) {
    Camera camera = viewOf(640, 480);
    camera.x = 1360;
    camera.y = 120;
    camera.clampToLevel(2000, 600);
    EXPECT_EQ(camera.x, 1360);
    EXPECT_EQ(camera.y, 120);
}

TEST(CameraCenterTest, OddSizesHalveEachTermSeparately) {
    Camera camera = viewOf(101, 99);
    camera.centerOn(Bounds{0, 10, 35, 47});
    EXPECT_EQ(camera.x, 0 + 17 - 50);
    EXPECT_EQ(camera.y, 10 + 23 - 49);

    // Halving the difference instead would give -32 and -26 here.
    Camera even = viewOf(100, 100);
    even.centerOn(Bounds{0, 0, 35, 47});
    EXPECT_EQ(even.x, 17 - 50);
    EXPECT_EQ(even.y, 23 - 50);
}

TEST(CameraCenterTest, HalvingTruncatesTowardZeroForNegativeSizes) {
    Camera camera = viewOf(101, 4);
    camera.centerOn(Bounds{0, 0, -35, -3});
    EXPECT_EQ(camera.x, -17 - 50);
    EXPECT_EQ(camera.y, -1 - 2);
}

TEST(CameraCenterTest, CentringDoesNotClamp) {
    Camera camera = viewOf(640, 480);
    camera.centerOn(Bounds{-1000, -2000, 34, 46});
    EXPECT_EQ(camera.x, -1000 + 17 - 320);
    EXPECT_EQ(camera.y, -2000 + 23 - 240);
}

// ---- values near the int limits ----

TEST(CameraLimitTest, RightEdgeTestDoesNotWrapNearIntMax) {
    Camera camera = viewOf(100, 100);
    camera.x = INT_MAX - 10;
    camera.y = INT_MAX - 10;
    camera.clampToLevel(INT_MAX, INT_MAX);
    EXPECT_EQ(camera.x, INT_MAX - 100);
    EXPECT_EQ(camera.y, INT_MAX - 100);
}

TEST(CameraLimitTest, ClampedEdgeBeyondTheRangeSaturates) {
    Camera camera = viewOf(INT_MAX, INT_MAX);
    camera.x = 5;
    camera.y = 5;
    camera.clampToLevel(INT_MIN, INT_MIN);
    EXPECT_EQ(camera.x, INT_MIN);
    EXPECT_EQ(camera.y, INT_MIN);
}

TEST(CameraLimitTest, CentringFarOutSaturates) {
    Camera far = viewOf(100, 100);
    far.centerOn(Bounds{INT_MAX, INT_MAX, INT_MAX, INT_MAX});
    EXPECT_EQ(far.x, INT_MAX);
    EXPECT_EQ(far.y, INT_MAX);

    Camera near = viewOf(100, 100);
    near.centerOn(Bounds{INT_MIN, INT_MIN, 0, 0});
    EXPECT_EQ(near.x, INT_MIN);
    EXPECT_EQ(near.y, INT_MIN);

    Camera wide = viewOf(INT_MIN, INT_MIN);
    wide.centerOn(Bounds{INT_MAX, 0, 0, 0});
    EXPECT_EQ(wide.x, INT_MAX);
    EXPECT_EQ(wide.y, INT_MAX / 2 + 1);
}

TEST(CameraLimitTest, ListenerAtTheFarCornerStaysFinite) {
    testsupport::RecordingSoundEngine recorder;
    ScopedEngine scoped(&recorder);
    Camera camera = viewOf(INT_MAX, INT_MAX);
    camera.x = INT_MAX;
    camera.y = INT_MAX;
    camera.clampToLevel(INT_MAX, INT_MAX);
    EXPECT_EQ(camera.x, 0);
    ASSERT_EQ(recorder.listeners.size(), 1u);
    EXPECT_FLOAT_EQ(recorder.listeners[0].position.X, (INT_MAX / 2) * 0.0078125f);
}

// ---- the listener ----

TEST(CameraListenerTest, SuiteHasARealSoundEngine) {
    EXPECT_NE(WubManager::instance()->engine, nullptr) << "the suite runs with ALSOFT_DRIVERS=null";
    Camera camera = viewOf(640, 480);
    camera.centerOn(Bounds{100, 300, 34, 46});
    camera.clampToLevel(2000, 600);
    EXPECT_EQ(camera.x, 0);
    EXPECT_EQ(camera.y, 83);
}

TEST(CameraListenerTest, ListenerStandsAtTheCentreOfTheClampedView) {
    testsupport::RecordingSoundEngine recorder;
    ScopedEngine scoped(&recorder);
    Camera camera = viewOf(640, 480);
    camera.centerOn(Bounds{100, 300, 34, 46});
    EXPECT_TRUE(recorder.listeners.empty());
    camera.clampToLevel(2000, 600);
    ASSERT_EQ(camera.x, 0);
    ASSERT_EQ(camera.y, 83);
    ASSERT_EQ(recorder.listeners.size(), 1u);
    const testsupport::RecordingSoundEngine::Listener& call = recorder.listeners[0];
    expectVector(call.position, 2.5f, 2.5234375f, 0.0f);
    expectVector(call.look, 0.0f, 0.0f, 1.0f);
    expectVector(call.velocity, 0.0f, 0.0f, 0.0f);
    expectVector(call.up, 0.0f, 1.0f, 0.0f);
}

TEST(CameraListenerTest, EveryClampPlacesTheListenerOnce) {
    testsupport::RecordingSoundEngine recorder;
    ScopedEngine scoped(&recorder);
    Camera camera = viewOf(640, 480);
    camera.centerOn(Bounds{1900, 560, 34, 46});
    camera.clampToLevel(2000, 600);
    camera.clampToLevel(2000, 600);
    ASSERT_EQ(recorder.listeners.size(), 2u);
    expectVector(recorder.listeners[1].position, (1360 + 320) * 0.0078125f, (120 + 240) * 0.0078125f, 0.0f);
}

TEST(CameraListenerTest, OddViewCentreIsTruncatedBeforeScaling) {
    testsupport::RecordingSoundEngine recorder;
    ScopedEngine scoped(&recorder);
    Camera camera = viewOf(101, 99);
    camera.x = 10;
    camera.y = 20;
    camera.clampToLevel(1000, 1000);
    ASSERT_EQ(recorder.listeners.size(), 1u);
    expectVector(recorder.listeners[0].position, 60 * 0.0078125f, 69 * 0.0078125f, 0.0f);
}

TEST(CameraListenerTest, ListenerFollowsANegativeViewOfANarrowLevel) {
    testsupport::RecordingSoundEngine recorder;
    ScopedEngine scoped(&recorder);
    Camera camera = viewOf(640, 480);
    camera.centerOn(Bounds{400, 100, 34, 46});
    camera.clampToLevel(500, 2000);
    ASSERT_EQ(recorder.listeners.size(), 1u);
    expectVector(recorder.listeners[0].position, 180 * 0.0078125f, 240 * 0.0078125f, 0.0f);
}

TEST(CameraListenerTest, WithoutAnEngineTheViewIsStillClamped) {
    ScopedEngine scoped(nullptr);
    Camera camera = viewOf(640, 480);
    camera.centerOn(Bounds{1900, 560, 34, 46});
    camera.clampToLevel(2000, 600);
    EXPECT_EQ(camera.x, 1360);
    EXPECT_EQ(camera.y, 120);
}

}  // namespace
