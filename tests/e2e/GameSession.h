#pragma once
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "support/GlContext.h"

// Drives the real vantorel binary as a person would: its own Xvfb display, the game started in
// a fresh copy of a small test game, keys and clicks through xdotool, screenshots, release.log.
// Every wait is bounded; whatever is still running is stopped by its process id at the end.
class GameSession {
public:
    enum class Content { TestGame, ShippedGame };
    // Lays out the small test game (pictures, sounds, levels), or a copy of the shipped game's
    // data/, sprites/ and sounds/, in a fresh temporary directory.
    explicit GameSession(Content content = Content::TestGame);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    const std::string& dir() const { return gameDir; }

    // Starts the game and waits for its window; false when none appears in time.
    bool start(const std::vector<std::string>& extraEnvironment = {}, const std::vector<std::string>& arguments = {});
    // Starts another program that opens the game's window (an installed launcher), in folder.
    bool startProgram(const std::string& program, const std::string& folder,
                      const std::vector<std::string>& extraEnvironment, const std::vector<std::string>& arguments = {});
    // Seconds to wait for the process to end by itself; its exit status, or -1.
    int waitForExit(double seconds);
    // Ends the game at once with SIGKILL, wherever it is, and waits for it.
    void killGame();
    bool running();

    void key(const std::string& name);
    void keyDown(const std::string& name);
    void keyUp(const std::string& name);
    void moveMouse(int x, int y);
    void click(int x, int y, int button = 1);
    // Presses the button at the first point, moves to the second in a few steps, lets go.
    void drag(int fromX, int fromY, int toX, int toY, int button = 1);
    // Sends the window manager's close request, as the window's close button does.
    void closeWindow();
    // Destroys the window from outside (xdotool windowclose), as a crashed compositor does.
    void destroyWindow();
    // Stops the display server under the running game.
    void stopDisplay();
    // The game's process id, -1 once it has ended.
    pid_t processId() const { return gamePid; }

    // The window's pixels now (window coordinates from the top-left).
    bool screenshot();
    // Takes screenshots until the check holds, for at most the given time.
    bool waitForScreen(const std::function<bool()>& check, double seconds);
    testsupport::Rgba pixel(int x, int y) const;
    bool savePng(const std::string& path) const;

    std::string log() const;
    // Waits until release.log contains the text; false after the time limit.
    bool waitForLog(const std::string& text, double seconds);
    // Waits until the text occurs at least count times.
    bool waitForLogCount(const std::string& text, int count, double seconds);

    std::string readGameFile(const std::string& name) const;
    // The display the game runs on, e.g. ":7".
    const std::string& display() const { return displayName; }
    // The X window id of the game's window, 0 before start() found it.
    unsigned long windowId() const { return window; }
    // The size of the last screenshot, which is the window's size when it was taken.
    int shotWidthNow() const { return shotWidth; }

private:
    void startDisplay();
    std::string xdotool(const std::string& arguments);
    bool findWindow(double seconds);

    std::string gameDir;
    std::string displayName;
    pid_t displayPid = -1;
    pid_t gamePid = -1;
    int exitStatus = -1;
    unsigned long window = 0;
    int shotWidth = 0;
    int shotHeight = 0;
    std::vector<unsigned char> shot;  // RGBA rows from the top
};

// Writes the small test game into dir: menu pictures, the player's sheet, a tile, a trap,
// a goal, the sounds, and the levels of tests/e2e/game/data.
void writeTestGame(const std::string& dir);

// The flat colours of the test game's pictures, so screenshots can tell what is on show.
namespace testgame {
const testsupport::Rgba menuColour{30, 40, 120, 255};
const testsupport::Rgba startColour{40, 200, 60, 255};
const testsupport::Rgba startLitColour{240, 220, 40, 255};
const testsupport::Rgba quitColour{200, 50, 50, 255};
const testsupport::Rgba quitLitColour{250, 150, 40, 255};
const testsupport::Rgba winColour{150, 40, 160, 255};
const testsupport::Rgba levelColour{20, 90, 90, 255};
const testsupport::Rgba tileColour{120, 80, 40, 255};
const testsupport::Rgba playerColour{255, 255, 255, 255};
const testsupport::Rgba trapColour{255, 0, 0, 255};
const testsupport::Rgba goalColour{255, 255, 0, 255};
const testsupport::Rgba continueColour{60, 160, 200, 255};
const testsupport::Rgba continueLitColour{160, 230, 255, 255};
const testsupport::Rgba levelsColour{90, 60, 30, 255};
const testsupport::Rgba levelsLitColour{200, 160, 90, 255};
}  // namespace testgame
