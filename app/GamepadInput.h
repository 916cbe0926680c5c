#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/GamepadMapper.h"

typedef struct _SDL_GameController SDL_GameController;
union SDL_Event;

// The gamepads SDL's game-controller layer knows (its own mappings, "gamecontrollerdb.txt" in
// the working folder, SDL_GAMECONTROLLERCONFIG), read by position whatever their make. Pads
// plugged in or out are taken or released at once, with one log line each; what they do comes
// out as key events, each tagged with the pad's id. Uses only SDL's joystick and
// game-controller subsystems: no window, no video, no signal handlers.
class GamepadInput {
public:
    struct PadEvent {
        int pad;  // SDL's instance id, unique while the program runs
        KeyEvent event;
    };

    GamepadInput() = default;
    ~GamepadInput();
    GamepadInput(const GamepadInput&) = delete;
    GamepadInput& operator=(const GamepadInput&) = delete;

    // Starts the subsystem, reads the database file when there is one and takes the pads already
    // plugged in. False, with a log line, when SDL cannot start; the game then plays without pads.
    bool start(const std::string& databaseFile = "gamecontrollerdb.txt");
    // Takes in what happened since the last call: plugs, unplugs, buttons, d-pads and sticks.
    std::vector<PadEvent> poll();
    // Releases every pad and stops the subsystem.
    void stop();
    int padsTaken() const { return static_cast<int>(pads.size()); }

private:
    struct Pad {
        SDL_GameController* controller = nullptr;
        int32_t id = -1;
        std::string name;
        GamepadMapper mapper;
        GamepadMapper::Controls controls;
    };

    void readDatabase(const std::string& databaseFile);
    void takeNewPads();
    void take(int deviceIndex);
    void release(int32_t id, std::vector<PadEvent>& events);
    void reportUnknown(int deviceIndex);
    void handle(const SDL_Event& event, std::vector<PadEvent>& events);
    Pad* find(int32_t id);

    bool started = false;
    std::vector<Pad> pads;
    std::vector<int32_t> unknownReported;
};
