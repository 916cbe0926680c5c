#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <vector>

#include "app/GamepadMapper.h"

namespace {

using Event = GamepadMapper::Event;
using Kind = GamepadMapper::Kind;
using Events = std::vector<Event>;

const unsigned int south = 1u << 0;
const unsigned int back = 1u << 6;
const unsigned int start = 1u << 7;
const unsigned int dpadLeft = 1u << 11;
const unsigned int dpadRight = 1u << 12;
const unsigned int dpadUp = 1u << 13;
const unsigned int dpadDown = 1u << 14;

Event down(int key) {
    return {Kind::ArrowDown, key};
}
Event up(int key) {
    return {Kind::ArrowUp, key};
}
Event key(int code) {
    return {Kind::Key, code};
}

}  // namespace

TEST(GamepadMapperTest, StickBeyondTheDeadZoneAndDpadAreTheArrows) {
    GamepadMapper pad;
    EXPECT_EQ(pad.report(0, GamepadMapper::kDeadZone, -GamepadMapper::kDeadZone), Events{}) << "at the edge: still";
    EXPECT_EQ(pad.report(0, GamepadMapper::kDeadZone + 1, 0), Events{down(GLUT_KEY_RIGHT)});
    EXPECT_EQ(pad.report(0, 1000, 0), Events{}) << "held: no repeat";
    EXPECT_EQ(pad.report(0, 0, 0), Events{up(GLUT_KEY_RIGHT)});
    EXPECT_EQ(pad.report(0, 0, -1000), Events{down(GLUT_KEY_UP)});
    EXPECT_EQ(pad.report(0, 0, 1000), (Events{up(GLUT_KEY_UP), down(GLUT_KEY_DOWN)}));
    EXPECT_EQ(pad.report(dpadLeft, 0, 0), (Events{up(GLUT_KEY_DOWN), down(GLUT_KEY_LEFT)}));
    EXPECT_EQ(pad.report(dpadLeft, -1000, 0), Events{}) << "d-pad and stick on the same side are one arrow";
    EXPECT_EQ(pad.report(0, -1000, 0), Events{});
    EXPECT_EQ(pad.report(dpadRight | dpadUp | dpadDown, 0, 0),
              (Events{up(GLUT_KEY_LEFT), down(GLUT_KEY_RIGHT), down(GLUT_KEY_UP), down(GLUT_KEY_DOWN)}));
}

TEST(GamepadMapperTest, SwingingTheStickReleasesBeforeItPresses) {
    GamepadMapper pad;
    pad.report(0, -1000, 0);
    EXPECT_EQ(pad.report(0, 1000, 0), (Events{up(GLUT_KEY_LEFT), down(GLUT_KEY_RIGHT)}));
}

TEST(GamepadMapperTest, ButtonsAreSpacePauseAndEscapeOncePerPress) {
    GamepadMapper pad;
    EXPECT_EQ(pad.report(south, 0, 0), Events{key(' ')});
    EXPECT_EQ(pad.report(south, 0, 0), Events{}) << "held";
    EXPECT_EQ(pad.report(south | start, 0, 0), Events{key('p')});
    EXPECT_EQ(pad.report(0, 0, 0), Events{});
    EXPECT_EQ(pad.report(back, 0, 0), Events{key(27)});
    EXPECT_EQ(pad.report(1u << 3, 0, 0), Events{}) << "other buttons do nothing";
    EXPECT_EQ(pad.report(south, 0, 0), Events{key(' ')}) << "pressed again";
}

TEST(GamepadMapperTest, ASilentPadIsUnpluggedAndLetsGoOfItsArrows) {
    GamepadMapper pad;
    pad.report(dpadUp, 1000, 0);
    for (int tick = 0; tick < GamepadMapper::kSilentTicks - 1; ++tick) {
        EXPECT_EQ(pad.tick(), Events{});
    }
    pad.report(dpadUp, 1000, 0);
    for (int tick = 0; tick < GamepadMapper::kSilentTicks - 1; ++tick) {
        EXPECT_EQ(pad.tick(), Events{}) << "a report starts the count again";
    }
    EXPECT_EQ(pad.tick(), (Events{up(GLUT_KEY_RIGHT), up(GLUT_KEY_UP)}));
    EXPECT_EQ(pad.tick(), Events{}) << "released once";
    EXPECT_EQ(pad.report(dpadUp, 0, 0), Events{down(GLUT_KEY_UP)}) << "plugged in again, held anew";
}
