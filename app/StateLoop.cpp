#include "app/StateLoop.h"

#include <exception>
#include <iostream>

#include "app/EventDispatch.h"
#include "app/SharedState.h"
#include "game/Game.h"
#include "graphics/Image.h"
#include "menu/Menu.h"

namespace {

const char* const firstLevel = "level1.level";
const char* const winScreenPicture = "sprites/win_screen.png";

// An exception escaping the loader counts as a failed start: the menu comes back.
bool startNewGame(SharedState& shared, Game& game) {
    const std::string level = shared.startLevel.empty() ? std::string(firstLevel) : shared.startLevel;
    shared.startLevel.clear();
    try {
        return game.startRun(level);
    } catch (const std::exception& error) {
        std::cout << "[MAIN] ERROR: starting a new game failed: " << error.what() << "\n";
    } catch (...) {
        std::cout << "[MAIN] ERROR: starting a new game failed\n";
    }
    return false;
}

void installWinScreen(Menu& menu) {
    try {
        Image* winScreen = new Image(winScreenPicture);
        delete menu.background;
        menu.background = winScreen;
    } catch (...) {
        // The menu keeps its title picture.
        std::cout << "[MAIN] ERROR: could not show the win screen\n";
    }
}

}  // namespace

void runStateLoop(SharedState& shared, Menu& menu, Game& game, StateLoopIFC* editor) {
    for (;;) {
        switch (shared.state) {
        case MENU:
            menu.assumeControl(&activeState);
            runUntilStateChanges();
            break;
        case NEWGAME:
            if (!startNewGame(shared, game)) {
                shared.state = MENU;
                std::cout << ">MENU newGame failed.\n";
                break;
            }
            game.assumeControl(&activeState);
            runUntilStateChanges();
            break;
        case CONTINUE:
            game.assumeControl(&activeState);
            runUntilStateChanges();
            break;
        case WIN:
            installWinScreen(menu);
            menu.showRun(game.runTicks(), game.runDeaths());
            shared.state = MENU;
            break;
        case QUIT:
            return;
        case EDIT:
            if (editor != nullptr) {
                editor->assumeControl(&activeState);
                runUntilStateChanges();
                break;
            }
            [[fallthrough]];
        default:
            shared.state = QUIT;
            std::cout << "Exiting main loop on unknown state!\n";
            break;
        }
    }
}
