#pragma once
#include <SDL2/SDL_joystick.h>

#include <cstdio>
#include <memory>
#include <string>

// For the tests only, as test machines have no input devices: a virtual pad (SDL's virtual
// joystick, so it goes through the same mapping as a real one) driven by lines such as
// "button N 1" / "button N 0", "hat N up|right|down|left|centre", "axis N VALUE", "unplug" and
// "plug". With VANTOREL_TEST_PAD naming a file, the game plugs one in at the start and reads
// the lines the end-to-end test appends to that file, one a tick. Players never set the
// variable; without it nothing here runs.
class TestPad {
public:
    static constexpr const char* kEnvironmentSwitch = "VANTOREL_TEST_PAD";

    // The pad the switch asks for, plugged in; null without the switch.
    static std::unique_ptr<TestPad> fromEnvironment();
    // The switch's pad: ids SDL does not know, so only a mapping line makes it a gamepad.
    static const SDL_VirtualJoystickDesc& description();
    // The GUID SDL gives a pad like that, with which its mapping line starts.
    static std::string guidOf(const SDL_VirtualJoystickDesc& pad);

    // Plugs the pad in; the description's name must outlive it.
    explicit TestPad(const SDL_VirtualJoystickDesc& pad, const std::string& scriptFile = "");
    ~TestPad();
    TestPad(const TestPad&) = delete;
    TestPad& operator=(const TestPad&) = delete;

    // Carries out the next line appended to the script file; SDL sees it at its next poll.
    void apply();
    // Carries out one line.
    void perform(const std::string& line);

private:
    void plug();
    void unplug();

    SDL_VirtualJoystickDesc desc;
    FILE* script = nullptr;
    std::string pending;
    int deviceIndex = -1;
    SDL_Joystick* joystick = nullptr;
};
