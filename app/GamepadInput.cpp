#include "app/GamepadInput.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "core/RegularFile.h"

namespace {

const char* const padTag = "[PAD] ";
const int guidTextLength = 33;

std::string padName(const char* name) {
    return name != nullptr && *name != '\0' ? name : "unnamed pad";
}

bool setButton(GamepadMapper::Controls& controls, int button, bool down) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        controls.south = down;
        return true;
    case SDL_CONTROLLER_BUTTON_BACK:
        controls.back = down;
        return true;
    case SDL_CONTROLLER_BUTTON_START:
        controls.start = down;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        controls.left = down;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        controls.right = down;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        controls.up = down;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        controls.down = down;
        return true;
    default:
        return false;
    }
}

bool setAxis(GamepadMapper::Controls& controls, int axis, int value) {
    if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
        controls.stickX = value;
        return true;
    }
    if (axis == SDL_CONTROLLER_AXIS_LEFTY) {
        controls.stickY = value;
        return true;
    }
    return false;
}

// SDL reads the variable when it starts, before the database file: added again afterwards,
// a mapping the player gave there wins over the file's line for the same pad.
void reapplyEnvironmentMappings() {
    const char* text = std::getenv("SDL_GAMECONTROLLERCONFIG");
    if (text == nullptr) {
        return;
    }
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty()) {
            SDL_GameControllerAddMapping(line.c_str());
        }
    }
}

}  // namespace

GamepadInput::~GamepadInput() {
    stop();
}

bool GamepadInput::start(const std::string& databaseFile) {
    if (started) {
        return true;
    }
    // SDL would otherwise turn SIGINT and SIGTERM into quit events nobody reads.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::cout << padTag << "gamepads are off: " << SDL_GetError() << "\n";
        return false;
    }
    started = true;
    readDatabase(databaseFile);
    reapplyEnvironmentMappings();
    // Pads plugged in before the start, or known only through the file, announce nothing more.
    takeNewPads();
    return true;
}

void GamepadInput::readDatabase(const std::string& databaseFile) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(databaseFile, ec))) {
        return;
    }
    RegularFile file(databaseFile);
    if (file.get() == nullptr) {
        std::cout << padTag << "cannot read " << databaseFile << ": " << file.error() << "\n";
        return;
    }
    const int added = SDL_GameControllerAddMappingsFromRW(SDL_RWFromFP(file.get(), SDL_FALSE), 1);
    if (added < 0) {
        std::cout << padTag << "cannot read " << databaseFile << ": " << SDL_GetError() << "\n";
        return;
    }
    std::cout << padTag << databaseFile << ": " << added << (added == 1 ? " mapping" : " mappings") << " added\n";
}

void GamepadInput::takeNewPads() {
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (find(SDL_JoystickGetDeviceInstanceID(index)) != nullptr) {
            continue;
        }
        if (SDL_IsGameController(index)) {
            take(index);
        } else {
            reportUnknown(index);
        }
    }
}

void GamepadInput::take(int deviceIndex) {
    // A pad plugged and pulled at once is gone by the time its event is read.
    if (deviceIndex >= SDL_NumJoysticks() || find(SDL_JoystickGetDeviceInstanceID(deviceIndex)) != nullptr) {
        return;
    }
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        std::cout << padTag << "cannot open " << padName(SDL_GameControllerNameForIndex(deviceIndex)) << ": "
                  << SDL_GetError() << "\n";
        return;
    }
    Pad pad;
    pad.controller = controller;
    pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    pad.name = padName(SDL_GameControllerName(controller));
    std::cout << padTag << "taken: " << pad.name << "\n";
    pads.push_back(pad);
}

void GamepadInput::reportUnknown(int deviceIndex) {
    const int32_t id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (std::find(unknownReported.begin(), unknownReported.end(), id) != unknownReported.end()) {
        return;
    }
    unknownReported.push_back(id);
    char guid[guidTextLength] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), guid, sizeof guid);
    std::cout << padTag << "not taken, no mapping for " << padName(SDL_JoystickNameForIndex(deviceIndex)) << " ("
              << guid << "); its line in gamecontrollerdb.txt would add it\n";
}

void GamepadInput::release(int32_t id, std::vector<PadEvent>& events) {
    for (auto pad = pads.begin(); pad != pads.end(); ++pad) {
        if (pad->id != id) {
            continue;
        }
        for (const KeyEvent& event : pad->mapper.releaseAll()) {
            events.push_back({id, event});
        }
        std::cout << padTag << "released: " << pad->name << "\n";
        SDL_GameControllerClose(pad->controller);
        pads.erase(pad);
        return;
    }
}

GamepadInput::Pad* GamepadInput::find(int32_t id) {
    for (Pad& pad : pads) {
        if (pad.id == id) {
            return &pad;
        }
    }
    return nullptr;
}

void GamepadInput::handle(const SDL_Event& event, std::vector<PadEvent>& events) {
    Pad* pad = nullptr;
    bool changed = false;
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        take(event.cdevice.which);
        return;
    case SDL_JOYDEVICEADDED:
        if (event.jdevice.which < SDL_NumJoysticks() && !SDL_IsGameController(event.jdevice.which)) {
            reportUnknown(event.jdevice.which);
        }
        return;
    case SDL_CONTROLLERDEVICEREMOVED:
        release(event.cdevice.which, events);
        return;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        pad = find(event.cbutton.which);
        changed =
            pad != nullptr && setButton(pad->controls, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN);
        break;
    case SDL_CONTROLLERAXISMOTION:
        pad = find(event.caxis.which);
        changed = pad != nullptr && setAxis(pad->controls, event.caxis.axis, event.caxis.value);
        break;
    default:
        return;
    }
    if (changed) {
        for (const KeyEvent& keyEvent : pad->mapper.report(pad->controls)) {
            events.push_back({pad->id, keyEvent});
        }
    }
}

std::vector<GamepadInput::PadEvent> GamepadInput::poll() {
    std::vector<PadEvent> events;
    if (!started) {
        return events;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        handle(event, events);
    }
    return events;
}

void GamepadInput::stop() {
    if (!started) {
        return;
    }
    for (Pad& pad : pads) {
        SDL_GameControllerClose(pad.controller);
    }
    pads.clear();
    unknownReported.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started = false;
}
