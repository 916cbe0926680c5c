#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <vector>

#include "app/GamepadMapper.h"

namespace {

using Controls = GamepadMapper::Controls;
using Events = std::vector<KeyEvent>;

const int fullTilt = 32767;

KeyEvent down(int key) {
    return {KeyEvent::Kind::SpecialDown, key};
}
KeyEvent up(int key) {
    return {KeyEvent::Kind::SpecialUp, key};
}
KeyEvent key(int code) {
    return {KeyEvent::Kind::Key, code};
}

Controls stick(int x, int y) {
    Controls controls;
    controls.stickX = x;
    controls.stickY = y;
    return controls;
}

Controls dpad(bool left, bool right, bool upward, bool downward, int stickX = 0) {
    Controls controls = stick(stickX, 0);
    controls.left = left;
    controls.right = right;
    controls.up = upward;
    controls.down = downward;
    return controls;
}

Controls buttons(bool south, bool start, bool back) {
    Controls controls;
    controls.south = south;
    controls.start = start;
    controls.back = back;
    return controls;
}

}  // namespace

TEST(GamepadMapperTest, StickBeyondTheDeadZoneAndDpadAreTheArrows) {
    GamepadMapper pad;
    EXPECT_EQ(pad.report(stick(GamepadMapper::kDeadZone, -GamepadMapper::kDeadZone)), Events{}) << "at the edge: still";
    EXPECT_EQ(pad.report(stick(GamepadMapper::kDeadZone + 1, 0)), Events{down(GLUT_KEY_RIGHT)});
    EXPECT_EQ(pad.report(stick(fullTilt, 0)), Events{}) << "held: no repeat";
    EXPECT_EQ(pad.report(stick(0, 0)), Events{up(GLUT_KEY_RIGHT)});
    EXPECT_EQ(pad.report(stick(0, -fullTilt - 1)), Events{down(GLUT_KEY_UP)});
    EXPECT_EQ(pad.report(stick(0, fullTilt)), (Events{up(GLUT_KEY_UP), down(GLUT_KEY_DOWN)}));
    EXPECT_EQ(pad.report(dpad(true, false, false, false)), (Events{up(GLUT_KEY_DOWN), down(GLUT_KEY_LEFT)}));
    EXPECT_EQ(pad.report(dpad(true, false, false, false, -fullTilt)), Events{})
        << "d-pad and stick on the same side are one arrow";
    EXPECT_EQ(pad.report(stick(-fullTilt, 0)), Events{});
    EXPECT_EQ(pad.report(dpad(false, true, true, true)),
              (Events{up(GLUT_KEY_LEFT), down(GLUT_KEY_RIGHT), down(GLUT_KEY_UP), down(GLUT_KEY_DOWN)}));
}

TEST(GamepadMapperTest, SwingingTheStickReleasesBeforeItPresses) {
    GamepadMapper pad;
    pad.report(stick(-fullTilt, 0));
    EXPECT_EQ(pad.report(stick(fullTilt, 0)), (Events{up(GLUT_KEY_LEFT), down(GLUT_KEY_RIGHT)}));
}

TEST(GamepadMapperTest, ButtonsAreSpacePauseAndEscapeOncePerPress) {
    GamepadMapper pad;
    EXPECT_EQ(pad.report(buttons(true, false, false)), Events{key(' ')});
    EXPECT_EQ(pad.report(buttons(true, false, false)), Events{}) << "held";
    EXPECT_EQ(pad.report(buttons(true, true, false)), Events{key('p')});
    EXPECT_EQ(pad.report(buttons(false, false, false)), Events{});
    EXPECT_EQ(pad.report(buttons(false, false, true)), Events{key(27)});
    EXPECT_EQ(pad.report(buttons(true, false, false)), Events{key(' ')}) << "pressed again";
}

TEST(GamepadMapperTest, AnUnpluggedPadLetsGoOfItsArrowsOnce) {
    GamepadMapper pad;
    Controls held = dpad(false, false, true, false, fullTilt);
    held.south = true;
    pad.report(held);
    EXPECT_EQ(pad.releaseAll(), (Events{up(GLUT_KEY_RIGHT), up(GLUT_KEY_UP)}));
    EXPECT_EQ(pad.releaseAll(), Events{}) << "released once";
    EXPECT_EQ(pad.report(held), (Events{down(GLUT_KEY_RIGHT), down(GLUT_KEY_UP), key(' ')}))
        << "plugged in again, held anew";
}
