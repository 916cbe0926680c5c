#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/EventDispatch.h"
#include "app/SharedState.h"
#include "app/StateLoop.h"
#include "core/KeyCodes.h"
#include "game/Game.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "level/Level.h"
#include "menu/Menu.h"
#include "menu/MenuButton.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;
using testsupport::Rgba;

namespace {

const Rgba titleColour{60, 60, 160, 255};
const Rgba winColour{250, 200, 0, 255};

// A script of steps run from a timer inside the event passes: each step waits for its
// condition (returns false) or acts and returns true. After too many polls the loop is ended.
using Step = std::function<bool()>;
std::vector<Step> script;
size_t nextStep = 0;
int polls = 0;
bool timedOut = false;
const unsigned int pollMilliseconds = 5;
const int maxPolls = 4000;

void drive(int) {
    if (nextStep < script.size() && script[nextStep]()) {
        ++nextStep;
    }
    if (nextStep >= script.size()) {
        return;
    }
    if (++polls > maxPolls) {
        timedOut = true;
        sharedState->state = QUIT;
        return;
    }
    glutTimerFunc(pollMilliseconds, drive, 0);
}

void writeSolidPng(const std::string& path, int w, int h, Rgba c) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < w * h; ++i) {
        pixels.insert(pixels.end(), {c.r, c.g, c.b, c.a});
    }
    testsupport::writeRgbaPng(path, w, h, pixels);
}

// A level whose player stands on a floor at (40, 354); the goal stands at (winX, winY).
std::string levelWithGoalAt(int winX, int winY) {
    return "[Properties]\nwidth: 640\nheight: 480\nspawnx: 40\nspawny: 354\nwinimg: goal.png\nwinx: " +
           std::to_string(winX) + "\nwiny: " + std::to_string(winY) +
           "\nnextmap: finish\nend\n[Platform]\nx: 0\ny: 400\nw: 640\nh: 20\nend\n";
}

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class StateLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureGlContext(640, 480);
        TextureManager::instance()->setScreenWidth(640);
        TextureManager::instance()->setScreenHeight(480);
        writeSolidPng("sprites/goal.png", 34, 46, Rgba{0, 200, 200, 255});
    }
    void TearDown() override {
        activeState = nullptr;
        sharedState = nullptr;
    }

    // As the program starts them: the menu first, then the game, and the menu holds the events.
    void startStates() {
        sharedState = &shared;
        menu = std::make_unique<Menu>(&shared);
        game = std::make_unique<Game>(&shared);
        activeState = menu.get();
    }

    // Callbacks on the test window, and the script's timer.
    void runScript(std::vector<Step> steps) {
        registerCallbacks();
        // Other tests' windows may cover this one on the shared display, and a covered window
        // pauses a level; these scripts are about the states, not about pausing.
        glutWindowStatusFunc(nullptr);
        script = std::move(steps);
        nextStep = 0;
        glutTimerFunc(pollMilliseconds, drive, 0);
    }

    Step quitOnceTheMenuHolds() {
        return [this] {
            if (activeState != menu.get() || shared.state != MENU) {
                return false;
            }
            shared.state = QUIT;
            return true;
        };
    }

    testsupport::ScopedTempDir dir;
    SharedState shared;
    std::unique_ptr<Menu> menu;
    std::unique_ptr<Game> game;
};

}  // namespace

TEST_F(StateLoopTest, UnknownStateEndsTheLoopWithExactlyOneLine) {
    startStates();
    for (const int32_t unknown : {5, -1}) {
        SCOPED_TRACE("state " + std::to_string(unknown));
        shared.state = unknown;
        LogCapture log;
        runStateLoop(shared, *menu, *game);
        EXPECT_EQ(log.text(), "Exiting main loop on unknown state!\n");
        EXPECT_EQ(shared.state, QUIT);
        EXPECT_EQ(activeState, menu.get());
    }
}

TEST_F(StateLoopTest, QuitReturnsAtOnce) {
    startStates();
    shared.state = QUIT;
    LogCapture log;
    runStateLoop(shared, *menu, *game);
    EXPECT_EQ(log.text(), "");
}

TEST_F(StateLoopTest, FailedNewGameReturnsToTheMenu) {
    startStates();
    runScript({quitOnceTheMenuHolds()});
    shared.state = NEWGAME;
    LogCapture log;
    runStateLoop(shared, *menu, *game);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(log.text(),
              "[LEVEL] loading data/level1.level\n"
              "[LEVEL] ERROR: file failed to open!\n"
              "[LEVEL] data/level1.level: No such file or directory\n"
              ">MENU newGame failed.\n"
              "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n");
    EXPECT_EQ(shared.state, QUIT);
    EXPECT_EQ(activeState, menu.get());
}

TEST_F(StateLoopTest, WinInstallsTheWinScreenAsTheMenusCentredBackground) {
    writeSolidPng("sprites/menu.png", 640, 480, titleColour);
    writeSolidPng("sprites/win_screen.png", 320, 200, winColour);
    startStates();
    runScript({quitOnceTheMenuHolds()});
    shared.state = WIN;
    LogCapture log;
    runStateLoop(shared, *menu, *game);
    EXPECT_FALSE(timedOut);
    const std::string text = log.text();
    EXPECT_EQ(text.rfind("Requesting texture sprites/win_screen.png ... ", 0), 0u) << text;
    const std::string handOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    ASSERT_GE(text.size(), handOver.size());
    EXPECT_EQ(text.substr(text.size() - handOver.size()), handOver);

    ASSERT_NE(menu->background, nullptr);
    EXPECT_EQ(menu->background->width, 320);
    EXPECT_EQ(menu->background->height, 200);
    EXPECT_EQ(menu->background->texture, TextureManager::instance()->getTexture("sprites/win_screen.png"));

    // Centred like the title picture, with the buttons in its box.
    testsupport::ensureGlContext(640, 480);
    TextureManager::instance()->setScreenWidth(640);
    TextureManager::instance()->setScreenHeight(480);
    menu->reshape(640, 480);
    EXPECT_EQ(menu->backgroundX, 160);
    EXPECT_EQ(menu->backgroundY, 140);
    EXPECT_EQ(menu->startButton->hitY, 140 + 100);
    EXPECT_EQ(menu->quitButton->hitY, 140 + 150);
    testsupport::clearScreen();
    menu->display();
    EXPECT_EQ(testsupport::readPixel(160, 140), winColour);
    EXPECT_EQ(testsupport::readPixel(479, 339), winColour);
    EXPECT_EQ(testsupport::readPixel(159, 140), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(testsupport::readPixel(480, 339), (Rgba{0, 0, 0, 255}));
}

TEST_F(StateLoopTest, WonGameShowsTheWinScreenWhichOutlivesTheNextGame) {
    writeSolidPng("sprites/menu.png", 640, 480, titleColour);
    writeSolidPng("sprites/win_screen.png", 320, 200, winColour);
    // The first game is won on its first tick: the goal stands on the start.
    testsupport::writeFile("data/level1.level", levelWithGoalAt(40, 354));
    startStates();
    const unsigned int winScreen = TextureManager::instance()->getTexture("sprites/win_screen.png");
    runScript({
        [this, winScreen] {
            if (activeState != menu.get() || shared.state != MENU || menu->background->texture != winScreen) {
                return false;
            }
            // The next game is not won at once, and is left with Escape.
            testsupport::writeFile("data/level1.level", levelWithGoalAt(500, 354));
            const MenuButton& start = *menu->startButton;
            mouseButtonCallback(GLUT_LEFT_BUTTON, GLUT_DOWN, start.hitX + start.hitW / 2, start.hitY + start.hitH / 2);
            return true;
        },
        [this] {
            if (activeState != game.get() || shared.state != CONTINUE) {
                return false;
            }
            keyCallback(keys::escape, 0, 0);
            return true;
        },
        quitOnceTheMenuHolds(),
    });
    shared.state = NEWGAME;
    LogCapture log;
    runStateLoop(shared, *menu, *game);
    EXPECT_FALSE(timedOut);

    const std::string text = log.text();
    EXPECT_EQ(countOf(text, "[LEVEL] loading data/level1.level\n"), 2) << text;
    const std::string gameLine = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    const std::string menuLine = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    const size_t firstGame = text.find(gameLine);
    const size_t firstMenu = text.find(menuLine);
    const size_t secondGame = text.find(gameLine, firstGame + 1);
    const size_t secondMenu = text.find(menuLine, firstMenu + 1);
    ASSERT_NE(secondMenu, std::string::npos) << text;
    EXPECT_LT(firstGame, firstMenu);
    EXPECT_LT(firstMenu, secondGame);
    EXPECT_LT(secondGame, secondMenu);
    EXPECT_EQ(countOf(text, "ASSUMING CONRTOL"), 4);
    EXPECT_EQ(text.find("newGame failed"), std::string::npos);

    EXPECT_EQ(shared.state, QUIT);
    EXPECT_EQ(menu->background->texture, winScreen);
    EXPECT_EQ(menu->background->width, 320);
    ASSERT_NE(game->level, nullptr);
    EXPECT_EQ(game->level->goal.x, 500);
}
