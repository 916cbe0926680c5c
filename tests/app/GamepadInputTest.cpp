#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "app/GamepadInput.h"
#include "app/TestPad.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;

namespace {

using Events = std::vector<KeyEvent>;

// Two pads as the Linux joystick interface numbers them, with their lines in the community
// database's form: the buttons by number, the d-pad as hat 0.
struct Layout {
    const char* name;
    Uint16 product;
    Uint16 buttons;
    int start;
    int back;
    std::vector<int> others;  // buttons that are none of the game's
    const char* mapping;
};

const char* const sharedMapping =
    "leftshoulder:b4,rightshoulder:b5,leftx:a0,lefty:a1,rightx:a3,righty:a4,lefttrigger:a2,righttrigger:a5,"
    "dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,platform:Linux,";
const Layout xboxLayout{"Test Xbox 360 Pad",
                        0x0101,
                        11,
                        7,
                        6,
                        {1, 2, 3, 4, 5, 8},
                        "a:b0,b:b1,x:b2,y:b3,back:b6,start:b7,guide:b8,leftstick:b9,rightstick:b10,"};
// Here 6 and 7 are L2 and R2, which a mapping by number would take for Back and Start.
const Layout playStationLayout{"Test DualShock 4 Pad",
                               0x0102,
                               13,
                               9,
                               8,
                               {1, 2, 3, 6, 7, 10},
                               "a:b0,b:b1,x:b3,y:b2,back:b8,start:b9,guide:b10,leftstick:b11,rightstick:b12,"};

SDL_VirtualJoystickDesc descriptionOf(const Layout& layout) {
    SDL_VirtualJoystickDesc desc = TestPad::description();
    desc.product_id = layout.product;
    desc.nbuttons = layout.buttons;
    desc.name = layout.name;
    return desc;
}

std::string databaseLine(const Layout& layout) {
    return TestPad::guidOf(descriptionOf(layout)) + "," + layout.name + "," + layout.mapping + sharedMapping + "\n";
}

std::string button(int number, bool down) {
    return "button " + std::to_string(number) + (down ? " 1" : " 0");
}

KeyEvent pressed(int key) {
    return {KeyEvent::Kind::SpecialDown, key};
}
KeyEvent released(int key) {
    return {KeyEvent::Kind::SpecialUp, key};
}
KeyEvent typed(int code) {
    return {KeyEvent::Kind::Key, code};
}

class GamepadInputTest : public ::testing::TestWithParam<const Layout*> {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    }
    void TearDown() override {
        input.stop();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    // What the pad did after the command.
    Events after(TestPad& pad, const std::string& command) {
        pad.perform(command);
        Events events;
        for (const GamepadInput::PadEvent& padEvent : input.poll()) {
            events.push_back(padEvent.event);
        }
        return events;
    }

    testsupport::ScopedTempDir dir;
    GamepadInput input;
};

}  // namespace

TEST_P(GamepadInputTest, APadPluggedInLaterIsReadByPositionAndLetGoWhenPulled) {
    const Layout& layout = *GetParam();
    testsupport::writeFile(dir.path() + "/gamecontrollerdb.txt", "# a comment\n" + databaseLine(layout));
    LogCapture log;
    ASSERT_TRUE(input.start());
    EXPECT_TRUE(input.poll().empty());
    TestPad pad(descriptionOf(layout));
    EXPECT_EQ(after(pad, "hat 0 centre"), Events{});
    EXPECT_EQ(input.padsTaken(), 1);
    EXPECT_EQ(log.text(),
              std::string("[PAD] gamecontrollerdb.txt: 1 mapping added\n[PAD] taken: ") + layout.name + "\n");

    EXPECT_EQ(after(pad, "hat 0 right"), Events{pressed(GLUT_KEY_RIGHT)}) << "the hat is the d-pad";
    EXPECT_EQ(after(pad, "hat 0 centre"), Events{released(GLUT_KEY_RIGHT)});
    EXPECT_EQ(after(pad, button(0, true)), Events{typed(' ')});
    EXPECT_EQ(after(pad, button(layout.start, true)), Events{typed('p')});
    EXPECT_EQ(after(pad, button(layout.back, true)), Events{typed(27)});
    for (int other : layout.others) {
        EXPECT_EQ(after(pad, button(other, true)), Events{}) << "button " << other;
    }
    EXPECT_EQ(after(pad, "axis 0 -11500"), Events{}) << "the stick inside its dead zone";
    EXPECT_EQ(after(pad, "axis 0 -32768"), Events{pressed(GLUT_KEY_LEFT)});
    EXPECT_EQ(after(pad, "axis 3 32767"), Events{}) << "the right stick";

    log.clear();
    EXPECT_EQ(after(pad, "unplug"), Events{released(GLUT_KEY_LEFT)}) << "pulled with the direction held";
    EXPECT_EQ(log.text(), std::string("[PAD] released: ") + layout.name + "\n");
    EXPECT_EQ(input.padsTaken(), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, GamepadInputTest, ::testing::Values(&xboxLayout, &playStationLayout),
                         [](const ::testing::TestParamInfo<const Layout*>& param) {
                             return param.param == &xboxLayout ? std::string("Xbox") : std::string("PlayStation");
                         });

using GamepadInputStartTest = GamepadInputTest;

TEST_F(GamepadInputStartTest, APadPluggedInBeforeIsTakenAtTheStartWithTheEnvironmentsMapping) {
    const std::string line = databaseLine(xboxLayout);
    testsupport::writeFile(dir.path() + "/gamecontrollerdb.txt", line);
    std::string own = line;
    own.replace(own.find(xboxLayout.name), std::string(xboxLayout.name).size(), "Own Pad");
    setenv("SDL_GAMECONTROLLERCONFIG", own.c_str(), 1);
    TestPad pad(descriptionOf(xboxLayout));
    LogCapture log;
    ASSERT_TRUE(input.start());
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    EXPECT_EQ(input.padsTaken(), 1);
    EXPECT_NE(log.text().find("[PAD] taken: Own Pad\n"), std::string::npos) << log.text();
}

TEST_F(GamepadInputStartTest, WithoutAPadNothingIsLoggedAndAnUnknownPadIsNamed) {
    LogCapture log;
    ASSERT_TRUE(input.start());
    EXPECT_TRUE(input.poll().empty());
    EXPECT_EQ(log.text(), "");

    SDL_VirtualJoystickDesc unknown = TestPad::description();
    unknown.name = "Test Stick";
    TestPad pad(unknown);
    EXPECT_EQ(after(pad, button(0, true)), Events{});
    EXPECT_EQ(input.padsTaken(), 0);
    EXPECT_NE(log.text().find("[PAD] not taken, no mapping for Test Stick ("), std::string::npos) << log.text();
}
