#pragma once
#include <cstdio>
#include <memory>
#include <string>

typedef struct _SDL_Joystick SDL_Joystick;
struct SDL_VirtualJoystickDesc;

// For the end-to-end tests only, which have no input devices: when VANTOREL_TEST_PAD names a
// file, a virtual pad (SDL's virtual joystick, so it goes through the same mapping as a real
// one) is plugged in at the start and driven by the lines the test appends to that file:
// "button N 1" / "button N 0", "hat N up|right|down|left|centre", "axis N VALUE", "unplug",
// "plug", one line a tick. Players never set the variable; without it nothing here runs.
class TestPad {
public:
    static constexpr const char* kEnvironmentSwitch = "VANTOREL_TEST_PAD";

    // The pad the switch asks for, plugged in; null without the switch.
    static std::unique_ptr<TestPad> fromEnvironment();
    // What the virtual pad looks like to SDL (a pad without a mapping of its own).
    static const SDL_VirtualJoystickDesc& description();

    explicit TestPad(const std::string& scriptFile);
    ~TestPad();
    TestPad(const TestPad&) = delete;
    TestPad& operator=(const TestPad&) = delete;

    // Carries out the next line appended to the file, one a tick; SDL sees it at its next poll.
    void apply();

private:
    void plug();
    void unplug();
    void perform(const std::string& line);

    FILE* script = nullptr;
    std::string pending;
    int deviceIndex = -1;
    SDL_Joystick* joystick = nullptr;
};
