#include "app/Program.h"

#include <GL/freeglut.h>

#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/CommandLine.h"
#include "app/Display.h"
#include "app/EventDispatch.h"
#include "app/SharedState.h"
#include "app/StateLoop.h"
#include "app/ToolkitErrors.h"
#include "core/RegularFile.h"
#include "editor/screen/EditorScreen.h"
#include "game/Game.h"
#include "game/ProgressFile.h"
#include "graphics/TextureManager.h"
#include "menu/Menu.h"

namespace {

// A level that cannot be started after all (it went away since the start) leaves the title
// menu on show, as a failed new game does.
void startOwnLevel(Game& game, const std::string& path) {
    game.quitOnEscape(true);
    try {
        if (game.playLevelFile(path)) return;
    } catch (const std::exception& error) {
        std::cout << "[MAIN] ERROR: " << error.what() << "\n";
    }
    std::cout << "[MAIN] could not play " << path << ": back to the title menu\n";
    sharedState->state = MENU;
}

// Nothing is opened before the level is known to be readable: a wrong path is told at once.
bool ownLevelReadable(const LevelRequest& request) {
    if (!request.problem.empty()) {
        std::cerr << "vantorel: " << request.problem << "\nTry 'vantorel --help'.\n";
        return false;
    }
    if (!request.asked) return true;
    const std::string why = RegularFile::whyUnreadable(request.path);
    if (why.empty()) return true;
    std::cerr << "vantorel: cannot play " << request.path << ": " << why << "\n";
    return false;
}

// A level to edit need not exist yet, but one that exists must be readable. With --level too,
// the program would not know which to begin with.
bool editableLevel(const LevelRequest& edit, const LevelRequest& level) {
    if (!edit.problem.empty()) {
        std::cerr << "vantorel: " << edit.problem << "\nTry 'vantorel --help'.\n";
        return false;
    }
    if (edit.asked && level.asked) {
        std::cerr << "vantorel: --level and --edit cannot go together\nTry 'vantorel --help'.\n";
        return false;
    }
    std::error_code ec;
    if (!edit.asked || !std::filesystem::exists(edit.path, ec)) return true;
    const std::string why = RegularFile::whyUnreadable(edit.path);
    if (why.empty()) return true;
    std::cerr << "vantorel: cannot edit " << edit.path << ": " << why << "\n";
    return false;
}

void playAndShutDown(std::ofstream& logFile, std::streambuf* savedOutput, const LevelRequest& request,
                     const LevelRequest& edit) {
    sharedState = new SharedState();
    ProgressFile progress;
    progress.load();
    Menu menu(sharedState);
    Game game(sharedState);
    menu.useProgress(&progress);
    game.useProgress(&progress);
    activeState = &menu;
    EditorScreen editor(sharedState, &game);
    game.useEditor(&editor);
    if (request.asked) {
        startOwnLevel(game, request.path);
    }
    if (edit.asked) {
        editor.open(edit.path);
    }
    runStateLoop(*sharedState, menu, game, &editor);
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
    const LevelRequest request = findLevelRequest(argc, argv);
    if (!ownLevelReadable(request)) return request.problem.empty() ? 1 : 2;
    const LevelRequest edit = findEditRequest(argc, argv);
    if (!editableLevel(edit, request)) return edit.problem.empty() && !request.asked ? 1 : 2;
    argc = removeGameOptions(argc, argv);
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
        playAndShutDown(logFile, savedOutput, request, edit);
    } catch (const std::exception& error) {
        std::cout << "[MAIN] ERROR: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
