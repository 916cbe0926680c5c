#include <gtest/gtest.h>

#include <climits>

#include "graphics/Image.h"
#include "objects/Movement.h"
#include "objects/Object.h"
#include "objects/Platform.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

namespace {

TEST(OverlapRule, BoxesSharingAnEdgeDoNotOverlap) {
    const Bounds a{0, 0, 10, 10};
    EXPECT_FALSE(overlaps(a, Bounds{10, 0, 10, 10}));
    EXPECT_FALSE(overlaps(Bounds{10, 0, 10, 10}, a));
    EXPECT_FALSE(overlaps(a, Bounds{0, 10, 10, 10}));
    EXPECT_FALSE(overlaps(a, Bounds{0, -10, 10, 10}));
    EXPECT_FALSE(overlaps(a, Bounds{-10, 0, 10, 10}));
}

TEST(OverlapRule, BoxesSharingOnlyACornerDoNotOverlap) {
    EXPECT_FALSE(overlaps(Bounds{0, 0, 10, 10}, Bounds{10, 10, 5, 5}));
    EXPECT_FALSE(overlaps(Bounds{0, 0, 10, 10}, Bounds{-5, -5, 5, 5}));
}

TEST(OverlapRule, OnePixelOfOverlapCounts) {
    EXPECT_TRUE(overlaps(Bounds{0, 0, 10, 10}, Bounds{9, 9, 10, 10}));
    EXPECT_TRUE(overlaps(Bounds{9, 9, 10, 10}, Bounds{0, 0, 10, 10}));
    EXPECT_TRUE(overlaps(Bounds{0, 0, 10, 10}, Bounds{2, 2, 3, 3}));
}

TEST(OverlapRule, PointOverlapsOnlyStrictlyInside) {
    const Bounds box{0, 0, 10, 10};
    EXPECT_TRUE(overlaps(Bounds{5, 5, 0, 0}, box));
    EXPECT_TRUE(overlaps(box, Bounds{1, 9, 0, 0}));
    EXPECT_FALSE(overlaps(Bounds{0, 5, 0, 0}, box));
    EXPECT_FALSE(overlaps(Bounds{10, 5, 0, 0}, box));
    EXPECT_FALSE(overlaps(Bounds{5, 0, 0, 0}, box));
    EXPECT_FALSE(overlaps(Bounds{5, 10, 0, 0}, box));
    EXPECT_FALSE(overlaps(Bounds{5, 5, 0, 0}, Bounds{5, 5, 0, 0}));
}

TEST(OverlapRule, LineBoxesBlockLikeLines) {
    // A zero-width box is a vertical line: hit when its x lies strictly inside the other's span.
    const Bounds wall{20, 0, 0, 100};
    EXPECT_TRUE(overlaps(Bounds{0, 10, 34, 46}, wall));
    EXPECT_FALSE(overlaps(Bounds{20, 10, 34, 46}, wall));
    EXPECT_FALSE(overlaps(Bounds{-14, 10, 34, 46}, wall));
    EXPECT_TRUE(overlaps(Bounds{-13, 10, 34, 46}, wall));
}

TEST(OverlapRule, SumsNearTheIntLimitsDoNotWrap) {
    const Bounds far{INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX};
    EXPECT_TRUE(overlaps(far, Bounds{INT_MAX - 1, INT_MAX - 1, 1, 1}));
    EXPECT_FALSE(overlaps(far, Bounds{INT_MIN, INT_MIN, 100, 100}));
    EXPECT_FALSE(overlaps(Bounds{INT_MIN, 0, INT_MIN, 10}, Bounds{0, 0, 10, 10}));
}

TEST(ObjectConstruction, DefaultObjectIsAllZeroWithoutImage) {
    Object object;
    EXPECT_EQ(object.image, nullptr);
    EXPECT_EQ(object.box().x, 0);
    EXPECT_EQ(object.box().w, 0);
    EXPECT_EQ(object.velocityX, 0);
    EXPECT_EQ(object.velocityY, 0);
    EXPECT_EQ(object.friction, 0);
}

TEST(ObjectConstruction, MissingPictureGivesAnEmptyBoxAtTheOrigin) {
    testsupport::ScopedTempDir dir;
    Object object("sprites/none.png");
    ASSERT_NE(object.image, nullptr);
    EXPECT_EQ(object.x, 0);
    EXPECT_EQ(object.y, 0);
    EXPECT_EQ(object.width, 0);
    EXPECT_EQ(object.height, 0);
}

TEST(ObjectConstruction, PathConstructorTakesTheWholePictureAsBox) {
    testsupport::ensureGlContext();
    testsupport::ScopedTempDir dir;
    testsupport::writeRgbaPng("sprites/block.png", 30, 20, std::vector<unsigned char>(30 * 20 * 4, 255));
    Object object("sprites/block.png");
    EXPECT_EQ(object.x, 0);
    EXPECT_EQ(object.y, 0);
    EXPECT_EQ(object.width, 30);
    EXPECT_EQ(object.height, 20);
}

TEST(NextPosition, ClampsHorizontalSpeedAndStoresIt) {
    Object object;
    object.x = 100;
    object.velocityX = 1000;
    Bounds next = object.nextPosition();
    EXPECT_EQ(object.velocityX, 400);
    EXPECT_EQ(next.x, 106);

    object.velocityX = -1000;
    next = object.nextPosition();
    EXPECT_EQ(object.velocityX, -400);
    EXPECT_EQ(next.x, 94);
}

TEST(NextPosition, TruncatesTowardZero) {
    Object object;
    object.x = 50;
    object.y = 50;
    object.velocityX = 59;
    object.velocityY = -59;
    Bounds next = object.nextPosition();
    EXPECT_EQ(next.x, 50);
    EXPECT_EQ(next.y, 50);

    object.velocityX = -60;
    object.velocityY = 119;
    next = object.nextPosition();
    EXPECT_EQ(next.x, 49);
    EXPECT_EQ(next.y, 51);
}

TEST(NextPosition, VerticalSpeedIsNotClamped) {
    Object object;
    object.velocityY = 6000;
    EXPECT_EQ(object.nextPosition().y, 100);
    EXPECT_EQ(object.velocityY, 6000);
}

TEST(NextPosition, AnyVerticalSpeedDropsFriction) {
    Object object;
    object.friction = 20;
    object.velocityY = 30;
    const Bounds next = object.nextPosition();
    EXPECT_EQ(next.y, 0);
    EXPECT_EQ(object.friction, 0);

    object.friction = 20;
    object.velocityY = -30;
    object.nextPosition();
    EXPECT_EQ(object.friction, 0);

    object.friction = 20;
    object.velocityY = 0;
    object.nextPosition();
    EXPECT_EQ(object.friction, 20);
}

TEST(NextPosition, SaturatesAtTheIntLimits) {
    Object object;
    object.x = INT_MAX - 2;
    object.y = INT_MIN + 1;
    object.velocityX = 400;
    object.velocityY = INT_MIN;
    const Bounds next = object.nextPosition();
    EXPECT_EQ(next.x, INT_MAX);
    EXPECT_EQ(next.y, INT_MIN);
}

TEST(Probes, FollowTheVelocitySigns) {
    Object object;
    object.x = 10;
    object.y = 20;
    object.width = 5;
    object.height = 6;

    EXPECT_EQ(object.probeHorizontal().x, 10);
    object.velocityX = 1;
    EXPECT_EQ(object.probeHorizontal().x, 11);
    object.velocityX = -300;
    EXPECT_EQ(object.probeHorizontal().x, 9);
    EXPECT_EQ(object.probeHorizontal().y, 20);
    EXPECT_EQ(object.probeHorizontal().w, 5);
    EXPECT_EQ(object.probeHorizontal().h, 6);

    EXPECT_EQ(object.probeVertical(1).y, 21);
    EXPECT_EQ(object.probeVertical(0).y, 20);
    object.velocityY = -1;
    EXPECT_EQ(object.probeVertical(1).y, 19);
    object.velocityY = 30;
    EXPECT_EQ(object.probeVertical(0).y, 21);
    EXPECT_EQ(object.probeVertical(0).x, 10);
}

TEST(ObjectStates, LandAndStopAndGrounded) {
    Object object;
    object.velocityX = 200;
    object.velocityY = 300;
    object.land(20);
    EXPECT_EQ(object.velocityY, 0);
    EXPECT_EQ(object.friction, 20);
    EXPECT_EQ(object.velocityX, 200);

    object.setGrounded(true);
    EXPECT_EQ(object.friction, 20);
    object.setGrounded(false);
    EXPECT_EQ(object.friction, 0);

    object.stopHorizontal();
    EXPECT_EQ(object.velocityX, 0);
}

TEST(SoundPosition, IsTheBottomCentreIn128PixelUnits) {
    Object object;
    object.x = 10;
    object.y = 20;
    object.width = 35;  // 35 / 2 truncates to 17
    object.height = 44;
    const irrklang::vec3df position = object.soundPosition();
    EXPECT_FLOAT_EQ(position.X, 27.0f / 128.0f);
    EXPECT_FLOAT_EQ(position.Y, 64.0f / 128.0f);
    EXPECT_EQ(position.Z, 0.0f);

    object.x = -100;
    object.width = -3;  // -3 / 2 truncates toward zero to -1
    EXPECT_FLOAT_EQ(object.soundPosition().X, -101.0f / 128.0f);
}

TEST(SoundPosition, HostileBoxesGiveFiniteWideValues) {
    Object object;
    object.x = INT_MAX;
    object.width = INT_MAX;
    object.y = INT_MAX;
    object.height = INT_MAX;
    const irrklang::vec3df position = object.soundPosition();
    EXPECT_GT(position.X, 16777215.0f);
    EXPECT_GT(position.Y, position.X);
}

TEST(ObjectDrawing, WithoutImageDrawsNothing) {
    testsupport::ensureGlContext();
    Platform platform;
    platform.width = 100;
    platform.height = 100;
    platform.draw(10, 10);
    EXPECT_EQ(testsupport::readPixel(50, 50), (testsupport::Rgba{0, 0, 0, 255}));
}

TEST(ObjectDrawing, DrawsTheImageAtBoxPlusOffsetAndLeavesItsFrame) {
    testsupport::ensureGlContext();
    testsupport::ScopedTempDir dir;
    std::vector<unsigned char> red;
    for (int i = 0; i < 8 * 8; ++i) {
        red.insert(red.end(), {255, 0, 0, 255});
    }
    testsupport::writeRgbaPng("sprites/red.png", 8, 8, red);
    Platform platform;
    platform.setImage("sprites/red.png");
    platform.setX(30);
    platform.setY(40);
    // The box does not follow the picture.
    EXPECT_EQ(platform.width, 0);
    const int counterBefore = platform.image->frameCounter;
    platform.draw(100, 200);
    EXPECT_EQ(testsupport::readPixel(130, 240), (testsupport::Rgba{255, 0, 0, 255}));
    EXPECT_EQ(testsupport::readPixel(137, 247), (testsupport::Rgba{255, 0, 0, 255}));
    EXPECT_EQ(testsupport::readPixel(129, 240), (testsupport::Rgba{0, 0, 0, 255}));
    EXPECT_EQ(testsupport::readPixel(138, 248), (testsupport::Rgba{0, 0, 0, 255}));
    EXPECT_EQ(platform.image->frameCounter, counterBefore);
}

TEST(ObjectImage, SetImageKeepsTheAnimationAndTheBox) {
    testsupport::ensureGlContext();
    testsupport::ScopedTempDir dir;
    testsupport::writeRgbaPng("sprites/a.png", 64, 16, std::vector<unsigned char>(64 * 16 * 4, 200));
    testsupport::writeRgbaPng("sprites/b.png", 32, 32, std::vector<unsigned char>(32 * 32 * 4, 100));
    Platform platform;
    platform.setImage("sprites/a.png");
    Image* first = platform.image;
    platform.width = 70;
    platform.height = 5;
    first->partition(4, 1);
    first->setFrame(3);
    first->flipped = true;
    const int counter = first->frameCounter;

    platform.setImage("sprites/b.png");
    EXPECT_EQ(platform.image, first);
    EXPECT_EQ(platform.image->width, 32);
    EXPECT_EQ(platform.image->frameWidth, 32.0f);
    EXPECT_EQ(platform.image->frameCounter, counter);
    EXPECT_TRUE(platform.image->flipped);
    EXPECT_EQ(platform.width, 70);
    EXPECT_EQ(platform.height, 5);
}

}  // namespace
