#include "app/TestPad.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <sstream>

namespace {

const int padAxes = 6;
const int padButtons = 11;
const int padHats = 1;
// Ids SDL knows nothing about, so the pad is a gamepad only through a mapping line the test gives.
const Uint16 padVendor = 0x1234;
const Uint16 padProduct = 0x0002;
const size_t readChunk = 256;
const int guidTextLength = 33;

Uint8 hatNamed(const std::string& name) {
    if (name == "up") {
        return SDL_HAT_UP;
    }
    if (name == "right") {
        return SDL_HAT_RIGHT;
    }
    if (name == "down") {
        return SDL_HAT_DOWN;
    }
    if (name == "left") {
        return SDL_HAT_LEFT;
    }
    return SDL_HAT_CENTERED;
}

}  // namespace

const SDL_VirtualJoystickDesc& TestPad::description() {
    static const SDL_VirtualJoystickDesc pad = [] {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = padAxes;
        desc.nbuttons = padButtons;
        desc.nhats = padHats;
        desc.vendor_id = padVendor;
        desc.product_id = padProduct;
        desc.name = "Vantorel Test Pad";
        return desc;
    }();
    return pad;
}

std::string TestPad::guidOf(const SDL_VirtualJoystickDesc& pad) {
    const int probe = SDL_JoystickAttachVirtualEx(&pad);
    char guid[guidTextLength] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(probe), guid, sizeof guid);
    SDL_JoystickDetachVirtual(probe);
    return guid;
}

std::unique_ptr<TestPad> TestPad::fromEnvironment() {
    const char* file = std::getenv(kEnvironmentSwitch);
    if (file == nullptr || *file == '\0') {
        return nullptr;
    }
    return std::make_unique<TestPad>(description(), file);
}

TestPad::TestPad(const SDL_VirtualJoystickDesc& pad, const std::string& scriptFile) : desc(pad) {
    if (!scriptFile.empty()) {
        script = std::fopen(scriptFile.c_str(), "rb");
    }
    plug();
}

TestPad::~TestPad() {
    unplug();
    if (script != nullptr) {
        std::fclose(script);
    }
}

void TestPad::plug() {
    if (deviceIndex >= 0) {
        return;
    }
    deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
    // Values are set on an open joystick only.
    joystick = deviceIndex >= 0 ? SDL_JoystickOpen(deviceIndex) : nullptr;
}

void TestPad::unplug() {
    if (joystick != nullptr) {
        SDL_JoystickClose(joystick);
        joystick = nullptr;
    }
    if (deviceIndex >= 0) {
        SDL_JoystickDetachVirtual(deviceIndex);
        deviceIndex = -1;
    }
}

void TestPad::apply() {
    if (script == nullptr) {
        return;
    }
    char chunk[readChunk];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, script)) > 0) {
        pending.append(chunk, got);
    }
    // The test goes on appending: the end of the file now is not the end of the script.
    std::clearerr(script);
    // One line a tick: SDL reads the virtual pad's state when it polls, so a press and its
    // release in the same tick would never be seen.
    const size_t end = pending.find('\n');
    if (end != std::string::npos) {
        perform(pending.substr(0, end));
        pending.erase(0, end + 1);
    }
}

void TestPad::perform(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    int number = 0;
    words >> command >> number;
    if (command == "plug") {
        plug();
    } else if (command == "unplug") {
        unplug();
    } else if (joystick == nullptr) {
        return;
    } else if (command == "button") {
        int down = 0;
        words >> down;
        SDL_JoystickSetVirtualButton(joystick, number, down != 0 ? SDL_PRESSED : SDL_RELEASED);
    } else if (command == "hat") {
        std::string direction;
        words >> direction;
        SDL_JoystickSetVirtualHat(joystick, number, hatNamed(direction));
    } else if (command == "axis") {
        int value = 0;
        words >> value;
        SDL_JoystickSetVirtualAxis(joystick, number, static_cast<Sint16>(value));
    }
}
