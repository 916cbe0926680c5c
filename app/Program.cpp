#include "app/Program.h"

#include <GL/freeglut.h>

#include <cstdlib>
#include <ctime>
#include <exception>
#include <fstream>
#include <iostream>

#include "app/CommandLine.h"
#include "app/Display.h"
#include "app/EventDispatch.h"
#include "app/SharedState.h"
#include "app/StateLoop.h"
#include "app/ToolkitErrors.h"
#include "game/Game.h"
#include "game/ProgressFile.h"
#include "graphics/TextureManager.h"
#include "menu/Menu.h"

namespace {

void playAndShutDown(std::ofstream& logFile, std::streambuf* savedOutput) {
    sharedState = new SharedState();
    ProgressFile progress;
    progress.load();
    Menu menu(sharedState);
    Game game(sharedState);
    menu.useProgress(&progress);
    game.useProgress(&progress);
    activeState = &menu;
    runStateLoop(*sharedState, menu, game);
    stopGamepads();

    std::cout.rdbuf(savedOutput);
    logFile.close();
    TextureManager::instance()->releaseAll();
    delete sharedState;
    sharedState = nullptr;
}

}  // namespace

int runProgram(int argc, char** argv) {
    // Answered before anything is opened or written, so they work without a display.
    if (answerInformationRequest(argc, argv, std::cout)) return 0;
    std::ofstream logFile("release.log", std::ios::out | std::ios::trunc);
    std::streambuf* savedOutput = std::cout.rdbuf();
    if (logFile.is_open()) {
        std::cout.rdbuf(logFile.rdbuf());
    }
    // Escape in the menu and the window's close button end the process through exit(), which
    // skips the shutdown: every write reaches the file at once so nothing is lost.
    std::cout << std::unitbuf;

    reportToolkitErrorsOurselves();
    glutInit(&argc, argv);
    initDisplay();
    startGamepads();
    std::srand(static_cast<unsigned int>(std::time(nullptr)));
    try {
        playAndShutDown(logFile, savedOutput);
    } catch (const std::exception& error) {
        std::cout << "[MAIN] ERROR: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
