#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "app/GamepadInput.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;

namespace {

using Events = std::vector<KeyEvent>;

// Two pads as the Linux joystick interface numbers them, with their lines in the community
// database's form: the buttons by number, the d-pad as hat 0.
struct Layout {
    const char* name;
    Uint16 vendor;
    Uint16 product;
    int buttons;
    int south;
    int start;
    int back;
    std::vector<int> others;  // buttons that are none of the game's
    const char* mapping;
};

const Layout xboxLayout{"Test Xbox 360 Pad",
                        0x045e,
                        0x028e,
                        11,
                        0,
                        7,
                        6,
                        {1, 2, 3, 4, 5, 8},
                        "a:b0,b:b1,x:b2,y:b3,back:b6,start:b7,guide:b8,leftshoulder:b4,rightshoulder:b5,"
                        "leftstick:b9,rightstick:b10,leftx:a0,lefty:a1,rightx:a3,righty:a4,lefttrigger:a2,"
                        "righttrigger:a5,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,platform:Linux,"};
// Here 6 and 7 are L2 and R2, which a mapping by number would take for Back and Start.
const Layout playStationLayout{"Test DualShock 4 Pad",
                               0x054c,
                               0x09cc,
                               13,
                               0,
                               9,
                               8,
                               {1, 2, 3, 6, 7, 10},
                               "a:b0,b:b1,x:b3,y:b2,back:b8,start:b9,guide:b10,leftshoulder:b4,rightshoulder:b5,"
                               "leftstick:b11,rightstick:b12,leftx:a0,lefty:a1,rightx:a3,righty:a4,lefttrigger:a2,"
                               "righttrigger:a5,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,platform:Linux,"};

// Neither SDL nor the database knows it.
const Layout unknownLayout{"Test Stick", 0x1234, 0x0001, 11, 0, 7, 6, {}, ""};

// A virtual joystick with no mapping of its own: only the database line makes it a gamepad.
class VirtualPad {
public:
    explicit VirtualPad(const Layout& padLayout) : layout(padLayout) {
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = 6;
        desc.nbuttons = static_cast<Uint16>(layout.buttons);
        desc.nhats = 1;
        desc.vendor_id = layout.vendor;
        desc.product_id = layout.product;
        desc.name = layout.name;
    }
    ~VirtualPad() { unplug(); }

    void plug() {
        index = SDL_JoystickAttachVirtualEx(&desc);
        joystick = SDL_JoystickOpen(index);
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
    }
    void unplug() {
        if (joystick != nullptr) {
            SDL_JoystickClose(joystick);
            SDL_JoystickDetachVirtual(index);
            joystick = nullptr;
        }
    }
    // The database line for this pad: plugged in once to learn its GUID.
    std::string databaseLine() {
        const int probe = SDL_JoystickAttachVirtualEx(&desc);
        char guid[33] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(probe), guid, sizeof guid);
        SDL_JoystickDetachVirtual(probe);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        return std::string(guid) + "," + layout.name + "," + layout.mapping + "\n";
    }
    void button(int number, bool down) { SDL_JoystickSetVirtualButton(joystick, number, down ? 1 : 0); }
    void hat(Uint8 direction) { SDL_JoystickSetVirtualHat(joystick, 0, direction); }
    void axis(int number, int value) { SDL_JoystickSetVirtualAxis(joystick, number, static_cast<Sint16>(value)); }

    const Layout& layout;

private:
    SDL_VirtualJoystickDesc desc{};
    SDL_Joystick* joystick = nullptr;
    int index = -1;
};

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
    Events poll() {
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
    VirtualPad pad(*GetParam());
    testsupport::writeFile(dir.path() + "/gamecontrollerdb.txt", "# a comment\n" + pad.databaseLine());
    LogCapture log;
    ASSERT_TRUE(input.start());
    EXPECT_EQ(poll(), Events{});
    EXPECT_EQ(input.padsTaken(), 0);

    pad.plug();
    EXPECT_EQ(poll(), Events{});
    EXPECT_EQ(input.padsTaken(), 1);
    EXPECT_EQ(log.text(),
              std::string("[PAD] gamecontrollerdb.txt: 1 mapping added\n[PAD] taken: ") + pad.layout.name + "\n");

    pad.hat(SDL_HAT_RIGHT);
    EXPECT_EQ(poll(), Events{pressed(GLUT_KEY_RIGHT)}) << "the hat is the d-pad";
    pad.hat(SDL_HAT_CENTERED);
    EXPECT_EQ(poll(), Events{released(GLUT_KEY_RIGHT)});
    pad.button(pad.layout.south, true);
    EXPECT_EQ(poll(), Events{typed(' ')});
    pad.button(pad.layout.south, false);
    pad.button(pad.layout.start, true);
    EXPECT_EQ(poll(), Events{typed('p')});
    pad.button(pad.layout.back, true);
    EXPECT_EQ(poll(), Events{typed(27)});
    for (int other : pad.layout.others) {
        pad.button(other, true);
    }
    EXPECT_EQ(poll(), Events{}) << "the other buttons, triggers included, do nothing";

    pad.hat(SDL_HAT_LEFT);
    EXPECT_EQ(poll(), Events{pressed(GLUT_KEY_LEFT)});
    log.clear();
    pad.unplug();
    EXPECT_EQ(poll(), Events{released(GLUT_KEY_LEFT)}) << "pulled with the direction held";
    EXPECT_EQ(log.text(), std::string("[PAD] released: ") + pad.layout.name + "\n");
    EXPECT_EQ(input.padsTaken(), 0);
}

TEST_P(GamepadInputTest, TheLeftStickWalksBeyondItsDeadZone) {
    VirtualPad pad(*GetParam());
    testsupport::writeFile(dir.path() + "/gamecontrollerdb.txt", pad.databaseLine());
    pad.plug();
    ASSERT_TRUE(input.start());
    EXPECT_EQ(input.padsTaken(), 1) << "a pad plugged in before the start is taken at once";
    poll();
    pad.axis(0, -GamepadMapper::kDeadZone);
    pad.axis(1, GamepadMapper::kDeadZone);
    EXPECT_EQ(poll(), Events{}) << "inside the dead zone";
    pad.axis(0, -32768);
    EXPECT_EQ(poll(), Events{pressed(GLUT_KEY_LEFT)});
    pad.axis(3, 32767);
    EXPECT_EQ(poll(), Events{}) << "the right stick does nothing";
    pad.axis(0, 32767);
    EXPECT_EQ(poll(), (Events{released(GLUT_KEY_LEFT), pressed(GLUT_KEY_RIGHT)}));
    pad.unplug();
    EXPECT_EQ(poll(), Events{released(GLUT_KEY_RIGHT)});
}

INSTANTIATE_TEST_SUITE_P(Layouts, GamepadInputTest, ::testing::Values(&xboxLayout, &playStationLayout),
                         [](const ::testing::TestParamInfo<const Layout*>& param) {
                             return param.param == &xboxLayout ? std::string("Xbox") : std::string("PlayStation");
                         });

TEST(GamepadInputStartTest, WithoutAPadNothingIsLoggedAndAnUnknownPadIsNamed) {
    testsupport::ScopedTempDir dir;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    GamepadInput input;
    LogCapture log;
    ASSERT_TRUE(input.start());
    EXPECT_TRUE(input.poll().empty());
    EXPECT_EQ(log.text(), "");

    VirtualPad pad(unknownLayout);
    pad.plug();
    pad.button(0, true);
    EXPECT_TRUE(input.poll().empty());
    EXPECT_EQ(input.padsTaken(), 0);
    EXPECT_NE(log.text().find("[PAD] not taken, no mapping for Test Stick ("), std::string::npos) << log.text();
    pad.unplug();
    input.poll();
    input.stop();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

TEST(GamepadInputStartTest, TheEnvironmentsMappingWinsOverTheFile) {
    testsupport::ScopedTempDir dir;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    VirtualPad pad(xboxLayout);
    const std::string line = pad.databaseLine();
    testsupport::writeFile(dir.path() + "/gamecontrollerdb.txt", line);
    std::string fromEnvironment = line;
    fromEnvironment.replace(fromEnvironment.find(xboxLayout.name), std::string(xboxLayout.name).size(), "Own Pad");
    setenv("SDL_GAMECONTROLLERCONFIG", fromEnvironment.c_str(), 1);
    GamepadInput input;
    LogCapture log;
    ASSERT_TRUE(input.start());
    pad.plug();
    input.poll();
    EXPECT_NE(log.text().find("[PAD] taken: Own Pad\n"), std::string::npos) << log.text();
    pad.unplug();
    input.stop();
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}
