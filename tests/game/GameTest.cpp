#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FrameRequest.h"
#include "app/SharedState.h"
#include "core/KeyCodes.h"
#include "game/Camera.h"
#include "game/Game.h"
#include "game/PlayOptions.h"
#include "game/PlayStep.h"
#include "game/ProgressFile.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "level/Level.h"
#include "objects/Player.h"
#include "sound/MusicPlayer.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"
#include "support/GlContext.h"
#include "support/RecordingSoundEngine.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;
using testsupport::Rgba;

namespace {

const float soundUnit = 0.0078125f;  // 128 pixels to a sound unit

using Recorder = testsupport::RecordingSoundEngine;

// Events without the landing sounds, which come and go with the standing cycle.
std::vector<std::string> eventsBesidesLanding(const Recorder& engine) {
    std::vector<std::string> kept;
    for (const std::string& event : engine.events) {
        if (event != "3D sounds/land.wav") {
            kept.push_back(event);
        }
    }
    return kept;
}

std::vector<unsigned char> solidPixels(int w, int h, Rgba colour) {
    std::vector<unsigned char> pixels;
    pixels.reserve(static_cast<size_t>(w) * h * 4);
    for (int i = 0; i < w * h; ++i) {
        pixels.insert(pixels.end(), {colour.r, colour.g, colour.b, colour.a});
    }
    return pixels;
}

void writeSolidPng(const std::string& path, int w, int h, Rgba colour) {
    testsupport::writeRgbaPng(path, w, h, solidPixels(w, h, colour));
}

// The "Properties" section; "winimg" comes first because it resets the goal's position.
struct Properties {
    int width = 640;
    int height = 480;
    int spawnX = 40;
    int spawnY = 354;
    std::string winImg = "goal.png";
    int winX = 600;
    int winY = 0;
    std::string nextMap = "finish";
    std::string music;
};

std::string section(const Properties& p) {
    return "[Properties]\nwidth: " + std::to_string(p.width) + "\nheight: " + std::to_string(p.height) +
           "\nspawnx: " + std::to_string(p.spawnX) + "\nspawny: " + std::to_string(p.spawnY) + "\nwinimg: " + p.winImg +
           "\nwinx: " + std::to_string(p.winX) + "\nwiny: " + std::to_string(p.winY) + "\nnextmap: " + p.nextMap +
           "\n" + (p.music.empty() ? "" : "music: " + p.music + "\n") + "end\n";
}

std::string backgroundSection(const std::string& img) {
    return "[BG]\nimg: " + img + "\nend\n";
}

std::string platformSection(int x, int y, int w, int h, const std::string& img = "") {
    std::string text = "[Platform]\n";
    if (!img.empty()) {
        text += "img: " + img + "\n";
    }
    return text + "x: " + std::to_string(x) + "\ny: " + std::to_string(y) + "\nw: " + std::to_string(w) +
           "\nh: " + std::to_string(h) + "\nend\n";
}

// A trap that does not float; its box is the whole picture.
std::string trapSection(int x, int y, const std::string& img, const std::string& sfx = "") {
    std::string text =
        "[Trap]\nimg: " + img + "\nx: " + std::to_string(x) + "\ny: " + std::to_string(y) + "\npartition: 1\n";
    if (!sfx.empty()) {
        text += "sfx: " + sfx + "\n";
    }
    return text + "end\n";
}

std::string decorationSection(const std::string& img, int x, int y, int z) {
    return "[Decoration]\nimg: " + img + "\nx: " + std::to_string(x) + "\ny: " + std::to_string(y) +
           "\nz: " + std::to_string(z) + "\nend\n";
}

// The floor under the standard spawn (40, 354): the player's 46-pixel box stands on y 400.
const std::string floorSection = platformSection(0, 400, 640, 20);

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::srand(1);
        testsupport::ensureGlContext(640, 480);
        TextureManager::instance()->setScreenWidth(640);
        TextureManager::instance()->setScreenHeight(480);
        // Every sound of the game, the traps' included, goes to the recorder.
        realEngine = WubManager::instance()->engine;
        WubManager::instance()->engine = &engine;
        writeSolidPng("sprites/brisel.png", 6 * 20, 3 * 20, Rgba{200, 200, 0, 255});
        writeSolidPng("sprites/goal.png", 34, 46, Rgba{0, 200, 200, 255});
        writeSolidPng("sprites/trap.png", 20, 20, Rgba{200, 0, 0, 255});
        game = std::make_unique<Game>(&shared);
    }
    void TearDown() override {
        game.reset();
        WubManager::instance()->engine = realEngine;
    }

    void writeLevel(const std::string& name, const std::string& text) { testsupport::writeFile("data/" + name, text); }

    // One tick and one display pass, as the event processing runs them.
    void tick() {
        game->update(0);
        testsupport::clearScreen();
        game->display();
    }

    // Ticks until a "brisel x" line beyond those already logged appears; false when none does.
    // With goalOntoStart the goal is moved onto the start once the player has left its start
    // box, so that the respawn lands right on it.
    bool tickUntilRespawn(LogCapture& log, bool goalOntoStart) {
        const int maxTicks = 400;
        Level& level = *game->level;
        const int spawned = countOf(log.text(), "brisel x ");
        bool goalMoved = false;
        for (int i = 0; i < maxTicks; ++i) {
            const Player& player = *game->player;
            const bool leftStart = player.x >= level.spawnX + 34 || player.y >= level.spawnY + 46;
            if (goalOntoStart && !goalMoved && leftStart) {
                level.goal.x = level.spawnX;
                level.goal.y = level.spawnY;
                goalMoved = true;
            }
            engine.events.clear();
            tick();
            if (countOf(log.text(), "brisel x ") > spawned) {
                return goalMoved || !goalOntoStart;
            }
        }
        return false;
    }

    testsupport::ScopedTempDir dir;
    Recorder engine{Recorder::Sources::ByName};
    irrklang::ISoundEngine* realEngine = nullptr;
    SharedState shared;
    std::unique_ptr<Game> game;
};

std::string standingLevel(const Properties& p = Properties()) {
    return section(p) + floorSection;
}

std::string named(const std::string& name, const std::string& level) {
    return "[Properties]\nname: " + name + "\n" + level.substr(std::string("[Properties]\n").size());
}

}  // namespace

TEST_F(GameTest, FirstNewGameLogsTheLoadThenThePlayerAndSizesTheCameraToTheBackground) {
    writeSolidPng("sprites/bg.png", 400, 300, Rgba{10, 10, 10, 255});
    Properties p;
    p.width = 2000;
    p.height = 600;
    p.spawnX = 100;
    p.spawnY = 300;
    writeLevel("level1.level", section(p) + backgroundSection("bg.png"));

    LogCapture log;
    ASSERT_TRUE(game->newGame("level1.level"));
    const std::string text = log.text();
    EXPECT_EQ(text.rfind("[LEVEL] loading data/level1.level\n", 0), 0u) << text;
    const size_t loaded = text.find("[LEVEL] file loaded successfully.\n");
    ASSERT_NE(loaded, std::string::npos) << text;
    EXPECT_EQ(countOf(text, "[LEVEL] "), 2) << text;
    const std::string playerLine = "\nbrisel x 100 y 300\n";
    ASSERT_GE(text.size(), playerLine.size());
    EXPECT_EQ(text.substr(text.size() - playerLine.size()), playerLine) << text;
    EXPECT_EQ(countOf(text, "brisel x "), 1);

    EXPECT_EQ(shared.state, CONTINUE);
    EXPECT_EQ(game->player->x, 100);
    EXPECT_EQ(game->player->y, 300);
    // Sized to the background, centred on the player (100 + 17 - 200 < 0, 300 + 23 - 150) and kept inside.
    EXPECT_EQ(game->camera->width, 400);
    EXPECT_EQ(game->camera->height, 300);
    EXPECT_EQ(game->camera->x, 0);
    EXPECT_EQ(game->camera->y, 173);
}

TEST_F(GameTest, MissingFirstLevelFailsAndLeavesPlayerCameraAndStateAlone) {
    LogCapture log;
    EXPECT_FALSE(game->newGame("level1.level"));
    EXPECT_EQ(log.text(),
              "[LEVEL] loading data/level1.level\n[LEVEL] ERROR: file failed to open!\n"
              "[LEVEL] data/level1.level: No such file or directory\n");
    EXPECT_EQ(shared.state, MENU);
    EXPECT_EQ(game->player, nullptr);
    EXPECT_EQ(game->camera->width, 100);
    EXPECT_EQ(game->camera->height, 100);
}

TEST_F(GameTest, LevelWithoutBackgroundTakesTheWindowSizeForItsView) {
    TextureManager::instance()->setScreenWidth(500);
    TextureManager::instance()->setScreenHeight(400);
    Properties p;
    p.width = 1000;
    p.height = 800;
    p.spawnX = 600;
    p.spawnY = 500;
    writeLevel("level1.level", section(p));
    ASSERT_TRUE(game->newGame("level1.level"));
    EXPECT_EQ(game->camera->width, 500);
    EXPECT_EQ(game->camera->height, 400);
    EXPECT_EQ(game->camera->x, 600 + 17 - 250);
    EXPECT_EQ(game->camera->y, 500 + 23 - 200);
    game->reshape(500, 400);
    EXPECT_EQ(game->originX, 0);
    EXPECT_EQ(game->originY, 0);
}

TEST_F(GameTest, SoundsMissingTheGamePlaysOnSilently) {
    // Back to the real engine, without the recorder's sources in the manager's table.
    WubManager::instance()->engine = realEngine;
    WubManager::instance()->sources.clear();
    game = std::make_unique<Game>(&shared);
    writeLevel("level1.level", standingLevel() + trapSection(150, 360, "trap.png", "sounds/hum.wav"));
    ASSERT_TRUE(game->newGame("level1.level"));
    game->specialDown(GLUT_KEY_RIGHT, 0, 0);
    LogCapture log;
    ASSERT_TRUE(tickUntilRespawn(log, false)) << "the player never reached the trap";
    game->key(keys::space, 0, 0);
    EXPECT_LT(game->player->velocityY, 0);
    for (int i = 0; i < 10; ++i) {
        tick();
    }
    game->key(keys::escape, 0, 0);
    EXPECT_EQ(shared.state, MENU);
}

// A level's track plays from its load until the goal or Escape; a track that cannot be played
// costs one log line and the game goes on without music.
TEST_F(GameTest, LevelMusicPlaysUntilGoalOrEscapeAndAMissingTrackIsOneLogLine) {
    WubManager::instance()->engine = realEngine;
    if (realEngine == nullptr) {
        GTEST_SKIP() << "no sound device";
    }
    testsupport::writeToneWav("sounds/tune.wav", 0.2, 330);
    Properties silent;
    silent.music = "sounds/missing.ogg";
    writeLevel("level1.level", standingLevel(silent));
    Properties tuned;
    tuned.music = "sounds/tune.wav";
    tuned.winX = 40;
    tuned.winY = 354;
    writeLevel("level2.level", standingLevel(tuned));
    writeLevel("level3.level", standingLevel());
    MusicPlayer* music = MusicPlayer::instance();

    LogCapture log;
    ASSERT_TRUE(game->newGame("level1.level"));
    const size_t error =
        log.text().find("[LEVEL] file loaded successfully.\n[MUSIC] ERROR: cannot play sounds/missing.ogg\n");
    EXPECT_NE(error, std::string::npos) << log.text();
    EXPECT_NE(log.text().find("brisel x 40 y 354\n", error), std::string::npos) << log.text();
    EXPECT_EQ(shared.state, CONTINUE);
    EXPECT_EQ(music->current(), "");

    ASSERT_TRUE(game->newGame("level2.level"));
    EXPECT_EQ(music->current(), "sounds/tune.wav");
    tick();
    EXPECT_EQ(shared.state, WIN);
    EXPECT_EQ(music->current(), "");

    ASSERT_TRUE(game->newGame("level2.level"));
    game->key(keys::escape, 0, 0);
    EXPECT_EQ(music->current(), "");

    ASSERT_TRUE(game->newGame("level2.level"));
    ASSERT_TRUE(game->newGame("level3.level"));
    EXPECT_EQ(music->current(), "") << "a level without music plays none";
    EXPECT_EQ(countOf(log.text(), "[MUSIC]"), 1);
}

TEST_F(GameTest, TouchingATrapRespawnsAtTheStartWithTheTeleportSoundAndSkipsTheGoal) {
    writeLevel("level1.level", standingLevel() + trapSection(150, 360, "trap.png"));
    ASSERT_TRUE(game->newGame("level1.level"));
    game->specialDown(GLUT_KEY_RIGHT, 0, 0);

    LogCapture log;
    ASSERT_TRUE(tickUntilRespawn(log, true)) << "the player never walked into the trap";
    EXPECT_EQ(game->player->x, 40);
    EXPECT_EQ(game->player->y, 354);
    EXPECT_EQ(shared.state, CONTINUE);
    // The goal now stands on the start, but the respawn tick does not test it.
    EXPECT_EQ(eventsBesidesLanding(engine), (std::vector<std::string>{"3D sounds/teleport.wav"}));
    ASSERT_FALSE(engine.plays.empty());
    const Recorder::Play& teleport = engine.plays.back();
    EXPECT_FLOAT_EQ(teleport.position.X, (40 + 17) * soundUnit);
    EXPECT_FLOAT_EQ(teleport.position.Y, (354 + 46) * soundUnit);
    EXPECT_FLOAT_EQ(teleport.position.Z, 0.0f);

    engine.events.clear();
    tick();
    EXPECT_EQ(shared.state, WIN);
    EXPECT_EQ(eventsBesidesLanding(engine), (std::vector<std::string>{"stop", "2D sounds/win.wav"}));
}

TEST_F(GameTest, FallingBelowTheLevelRespawnsAtTheStartAndSkipsTheGoal) {
    Properties p;
    p.spawnX = 100;
    p.spawnY = 0;
    writeLevel("level1.level", section(p));
    ASSERT_TRUE(game->newGame("level1.level"));

    LogCapture log;
    ASSERT_TRUE(tickUntilRespawn(log, true)) << "the player never fell out";
    EXPECT_EQ(game->player->x, 100);
    EXPECT_EQ(game->player->y, 0);
    EXPECT_EQ(game->player->velocityY, 0);
    EXPECT_EQ(shared.state, CONTINUE);
    EXPECT_EQ(engine.events, (std::vector<std::string>{"3D sounds/teleport.wav"}));
    ASSERT_FALSE(engine.plays.empty());
    EXPECT_FLOAT_EQ(engine.plays.back().position.X, (100 + 17) * soundUnit);
    EXPECT_FLOAT_EQ(engine.plays.back().position.Y, 46 * soundUnit);

    engine.events.clear();
    tick();
    EXPECT_EQ(shared.state, WIN);
}

TEST_F(GameTest, BottomExactlyOnTheLevelsHeightIsNoFall) {
    Properties p;
    p.spawnY = 354;
    p.height = 400;
    writeLevel("level1.level", standingLevel(p));
    ASSERT_TRUE(game->newGame("level1.level"));
    LogCapture log;
    for (int i = 0; i < 10; ++i) {
        tick();
    }
    EXPECT_EQ(countOf(log.text(), "brisel x "), 0);
    EXPECT_EQ(game->player->y, 354);
}

TEST_F(GameTest, GoalTouchedAlongAnEdgeDoesNotWinOnePixelOfOverlapDoes) {
    writeLevel("level1.level", standingLevel());
    ASSERT_TRUE(game->newGame("level1.level"));
    Decoration& goal = game->level->goal;
    ASSERT_EQ(goal.width, 34);
    ASSERT_EQ(goal.height, 46);

    // The player's box is (40, 354, 34, 46) and stays there while it stands.
    const int sides[][2] = {{74, 354}, {6, 354}, {40, 308}, {40, 400}, {74, 308}};
    for (const auto& side : sides) {
        goal.x = side[0];
        goal.y = side[1];
        tick();
        tick();
        EXPECT_EQ(shared.state, CONTINUE) << "goal at " << side[0] << ", " << side[1];
    }
    ASSERT_EQ(game->player->x, 40);
    ASSERT_EQ(game->player->y, 354);

    goal.x = 73;
    goal.y = 308 + 1;
    engine.events.clear();
    tick();
    EXPECT_EQ(shared.state, WIN);
}

TEST_F(GameTest, GoalLoadsTheNextLevelAndKeepsPlaying) {
    writeSolidPng("sprites/bg.png", 640, 480, Rgba{10, 10, 10, 255});
    writeSolidPng("sprites/bg2.png", 500, 300, Rgba{20, 20, 20, 255});
    Properties first;
    first.winX = 40;
    first.winY = 354;
    first.nextMap = "level2.level";
    writeLevel("level1.level", standingLevel(first) + backgroundSection("bg.png"));
    Properties second;
    second.width = 900;
    second.height = 700;
    second.spawnX = 70;
    second.spawnY = 80;
    writeLevel("level2.level",
               section(second) + backgroundSection("bg2.png") + trapSection(300, 300, "trap.png", "sounds/hum.wav"));
    ASSERT_TRUE(game->newGame("level1.level"));
    StateLoopIFC* active = nullptr;
    game->assumeControl(&active);
    EXPECT_EQ(game->originX, 0);

    LogCapture log;
    engine.events.clear();
    tick();
    const std::string text = log.text();
    EXPECT_NE(text.find("[LEVEL] loading data/level2.level\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("ASSUMING CONRTOL"), std::string::npos) << text;
    EXPECT_EQ(shared.state, CONTINUE);
    EXPECT_EQ(game->level->nextMap, "finish");
    EXPECT_EQ(game->player->x, 70);
    EXPECT_EQ(game->player->y, 80);
    // The tick ends with the load: the new player has not moved yet.
    EXPECT_EQ(game->player->velocityY, 0);
    EXPECT_EQ(eventsBesidesLanding(engine),
              (std::vector<std::string>{"stop", "2D sounds/win.wav", "3D sounds/hum.wav looped"}));
    // The view takes the new background's size at once; the centring waits for the next reshape.
    EXPECT_EQ(game->camera->width, 500);
    EXPECT_EQ(game->camera->height, 300);
    EXPECT_EQ(game->originX, 0);
    EXPECT_EQ(game->originY, 0);
    game->reshape(640, 480);
    EXPECT_EQ(game->originX, 70);
    EXPECT_EQ(game->originY, 90);
}

TEST_F(GameTest, GoalOfTheLastLevelWinsAndKeepsLevelAndPlayer) {
    Properties p;
    p.winX = 40;
    p.winY = 354;
    writeLevel("level1.level", standingLevel(p));
    ASSERT_TRUE(game->newGame("level1.level"));
    const Level* level = game->level;
    const Player* player = game->player;

    LogCapture log;
    engine.events.clear();
    tick();
    EXPECT_EQ(shared.state, WIN);
    EXPECT_EQ(game->level, level);
    EXPECT_EQ(game->player, player);
    EXPECT_EQ(game->player->x, 40);
    EXPECT_EQ(game->player->y, 354);
    EXPECT_EQ(log.text().find("[LEVEL]"), std::string::npos);
    EXPECT_EQ(eventsBesidesLanding(engine), (std::vector<std::string>{"stop", "2D sounds/win.wav"}));
}

TEST_F(GameTest, NextLevelThatFailsToLoadReturnsToTheMenuInSilence) {
    for (const std::string nextMap : {"nowhere.level", ""}) {
        SCOPED_TRACE("nextmap \"" + nextMap + "\"");
        Properties p;
        p.winX = 40;
        p.winY = 354;
        p.nextMap = nextMap;
        writeLevel("level1.level", standingLevel(p));
        ASSERT_TRUE(game->newGame("level1.level"));
        EXPECT_EQ(game->level->nextMap, nextMap);

        LogCapture log;
        engine.events.clear();
        tick();
        const std::string expected =
            "[LEVEL] loading data/" + nextMap + "\n[LEVEL] ERROR: file failed to open!\n[LEVEL] data/" + nextMap +
            (nextMap.empty() ? ": not a regular file\n" : ": No such file or directory\n") + ">MENU newGame failed.\n";
        EXPECT_NE(log.text().find(expected), std::string::npos) << log.text();
        EXPECT_EQ(shared.state, MENU);
        // The win sound is silenced along with everything else.
        EXPECT_EQ(eventsBesidesLanding(engine), (std::vector<std::string>{"stop", "2D sounds/win.wav", "stop"}));
    }
}

TEST_F(GameTest, EscapeReturnsToTheMenuKeepsTheLevelAndSilencesTheTraps) {
    writeLevel("level1.level", standingLevel() + trapSection(300, 300, "trap.png", "sounds/hum.wav"));
    ASSERT_TRUE(game->newGame("level1.level"));
    tick();
    const Level* level = game->level;
    const Player* player = game->player;
    engine.events.clear();
    game->key(keys::escape, 0, 0);
    EXPECT_EQ(shared.state, MENU);
    EXPECT_EQ(game->level, level);
    EXPECT_EQ(game->player, player);
    EXPECT_EQ(engine.events, (std::vector<std::string>{"stop"}));
    // Only the low byte counts.
    shared.state = CONTINUE;
    game->key(256 + keys::escape, 0, 0);
    EXPECT_EQ(shared.state, MENU);
}

// A level won at its start that leads back to itself reloads every tick, which sets CONTINUE
// again: a tick that comes after Escape in the same event pass must not undo it.
TEST_F(GameTest, EscapeIsNotUndoneByATickInTheSamePass) {
    Properties p;
    p.winX = 40;
    p.winY = 354;
    p.nextMap = "level1.level";
    writeLevel("level1.level", standingLevel(p));
    ASSERT_TRUE(game->newGame("level1.level"));
    tick();
    const int started = game->levelsStarted();
    game->key(keys::escape, 0, 0);
    tick();
    EXPECT_EQ(shared.state, MENU);
    EXPECT_EQ(game->levelsStarted(), started) << "no level loads after Escape";
}

TEST_F(GameTest, HeldArrowsSurviveARespawn) {
    writeLevel("level1.level", standingLevel() + trapSection(150, 360, "trap.png"));
    ASSERT_TRUE(game->newGame("level1.level"));
    game->specialDown(GLUT_KEY_RIGHT, 0, 0);
    LogCapture log;
    ASSERT_TRUE(tickUntilRespawn(log, false));
    EXPECT_EQ(game->player->walkAcceleration, 15);
    EXPECT_FALSE(game->player->image->flipped);
    tick();
    EXPECT_EQ(game->player->velocityX, 15);

    // With both held the new player takes the right arrow, whichever was pressed last.
    game->specialDown(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(game->player->walkAcceleration, -15);
    ASSERT_TRUE(game->newGame("level1.level"));
    EXPECT_EQ(game->player->walkAcceleration, 15);
    EXPECT_FALSE(game->player->image->flipped);

    game->specialUp(GLUT_KEY_RIGHT, 0, 0);
    ASSERT_TRUE(game->newGame("level1.level"));
    EXPECT_EQ(game->player->walkAcceleration, -15);
    EXPECT_TRUE(game->player->image->flipped);

    game->specialUp(GLUT_KEY_LEFT, 0, 0);
    ASSERT_TRUE(game->newGame("level1.level"));
    EXPECT_EQ(game->player->walkAcceleration, 0);
    EXPECT_FALSE(game->player->image->flipped);
}

TEST_F(GameTest, ReleasingOneArrowHandsTheDirectionToTheOther) {
    writeLevel("level1.level", standingLevel());
    ASSERT_TRUE(game->newGame("level1.level"));
    Player& player = *game->player;

    game->specialDown(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_TRUE(shared.right);
    EXPECT_EQ(player.walkAcceleration, 15);
    EXPECT_FALSE(player.image->flipped);
    game->specialDown(GLUT_KEY_LEFT, 0, 0);
    EXPECT_TRUE(shared.left);
    EXPECT_EQ(player.walkAcceleration, -15);
    EXPECT_TRUE(player.image->flipped);
    game->specialUp(GLUT_KEY_LEFT, 0, 0);
    EXPECT_FALSE(shared.left);
    EXPECT_EQ(player.walkAcceleration, 15);
    EXPECT_FALSE(player.image->flipped);
    // Releasing the last arrow stops the walk but does not turn the player round.
    game->specialUp(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_FALSE(shared.right);
    EXPECT_EQ(player.walkAcceleration, 0);
    EXPECT_FALSE(player.image->flipped);

    game->specialDown(GLUT_KEY_LEFT, 0, 0);
    game->specialDown(GLUT_KEY_RIGHT, 0, 0);
    game->specialUp(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_EQ(player.walkAcceleration, -15);
    EXPECT_TRUE(player.image->flipped);
    game->specialUp(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(player.walkAcceleration, 0);
    EXPECT_TRUE(player.image->flipped);
}

TEST_F(GameTest, PauseFreezesTheLevelHoldsItsSoundsAndWalksAsTheArrowsSayOnResuming) {
    writeLevel("level1.level", standingLevel() + trapSection(300, 300, "trap.png", "sounds/hum.wav"));
    ASSERT_TRUE(game->newGame("level1.level"));
    game->specialDown(GLUT_KEY_RIGHT, 0, 0);
    for (int i = 0; i < 10; ++i) {
        tick();
    }
    const Player& player = *game->player;
    engine.events.clear();
    game->key('p', 0, 0);
    EXPECT_EQ(engine.events, (std::vector<std::string>{"pause"}));
    tick();  // the last drawing of the scene, kept as a still
    struct {
        int x, y, velocityX, velocityY, frame;
    } before{player.x, player.y, player.velocityX, player.velocityY, player.image->frameCounter};
    const Bounds view = game->camera->view();
    const int trapX = game->originX - view.x + 310;
    const int trapY = game->originY - view.y + 310;
    const Rgba trapSeen = testsupport::readPixel(trapX, trapY);
    const Rgba aboveSeen = testsupport::readPixel(trapX, trapY - 30);
    ASSERT_FALSE(trapSeen == aboveSeen) << "the trap stands out of the dimmed scene";

    // Arrows and space while paused move nothing for 60 ticks.
    game->specialDown(GLUT_KEY_LEFT, 0, 0);
    game->specialUp(GLUT_KEY_RIGHT, 0, 0);
    game->key(keys::space, 0, 0);
    for (int i = 0; i < 60; ++i) {
        tick();
    }
    EXPECT_EQ(player.x, before.x);
    EXPECT_EQ(player.y, before.y);
    EXPECT_EQ(player.velocityX, before.velocityX);
    EXPECT_EQ(player.velocityY, before.velocityY);
    EXPECT_EQ(player.walkAcceleration, 15);
    EXPECT_EQ(player.image->frameCounter, before.frame);
    EXPECT_EQ(game->camera->view().x, view.x);
    EXPECT_EQ(testsupport::readPixel(trapX, trapY), trapSeen) << "the still stands where the scene was";
    EXPECT_EQ(testsupport::readPixel(trapX, trapY - 30), aboveSeen);

    // Resuming walks the way the arrow held now says; Shift+P does as P.
    game->key('P', 0, 0);
    EXPECT_EQ(engine.events, (std::vector<std::string>{"pause", "resume"}));
    EXPECT_EQ(player.walkAcceleration, -15);
    EXPECT_TRUE(player.image->flipped);
    tick();
    EXPECT_LT(player.velocityX, before.velocityX);

    // A hidden window pauses; Escape then leaves for the menu in silence, no longer paused.
    game->windowHidden();
    EXPECT_TRUE(game->isPaused());
    engine.events.clear();
    game->key(keys::escape, 0, 0);
    EXPECT_EQ(shared.state, MENU);
    EXPECT_FALSE(game->isPaused());
    EXPECT_EQ(engine.events, (std::vector<std::string>{"stop", "resume"}));
}

TEST_F(GameTest, APausedLevelDrawsAFrameOnlyWhenItsMenuChanges) {
    writeLevel("level1.level", standingLevel());
    ASSERT_TRUE(game->newGame("level1.level"));
    const auto frames = [&](const std::function<void()>& change) {
        change();
        const int64_t before = FrameRequest::count();
        game->update(0);
        const int64_t asked = FrameRequest::count() - before;
        if (asked > 0) {
            testsupport::clearScreen();
            game->display();
        }
        return asked;
    };
    const auto idle = [] {};
    EXPECT_EQ(frames(idle), 1) << "a level in play draws every tick";
    EXPECT_EQ(frames(idle), 1);
    EXPECT_EQ(frames([&] { game->key('p', 0, 0); }), 1) << "the paused picture";
    int idleFrames = 0;
    for (int i = 0; i < 30; ++i) {
        idleFrames += frames(idle);
    }
    EXPECT_EQ(idleFrames, 0);
    EXPECT_EQ(frames([&] { game->specialDown(GLUT_KEY_DOWN, 0, 0); }), 1) << "a choice lit";
    EXPECT_EQ(frames([&] { game->specialUp(GLUT_KEY_DOWN, 0, 0); }), 0);
    EXPECT_EQ(frames([&] { game->reshape(640, 480); }), 1);
    EXPECT_EQ(frames([&] { game->key('p', 0, 0); }), 1);
    EXPECT_EQ(frames(idle), 1);
}

TEST_F(GameTest, SpaceJumpsOnlyWithGroundOnePixelBelow) {
    Properties onFloor;
    writeLevel("level1.level", standingLevel(onFloor));
    ASSERT_TRUE(game->newGame("level1.level"));
    game->key(keys::space, 0, 0);
    EXPECT_EQ(game->player->velocityY, -660);

    // In the standing cycle the jump starts from the 30 that gravity gave.
    ASSERT_TRUE(game->newGame("level1.level"));
    tick();
    ASSERT_EQ(game->player->velocityY, 30);
    game->key(keys::space, 0, 0);
    EXPECT_EQ(game->player->velocityY, -630);

    Properties gap;
    gap.spawnY = 353;
    writeLevel("level1.level", standingLevel(gap));
    ASSERT_TRUE(game->newGame("level1.level"));
    game->key(keys::space, 0, 0);
    EXPECT_EQ(game->player->velocityY, 0);

    Properties air;
    air.spawnY = 100;
    writeLevel("level1.level", standingLevel(air));
    ASSERT_TRUE(game->newGame("level1.level"));
    for (int i = 0; i < 5; ++i) {
        tick();
    }
    const int falling = game->player->velocityY;
    ASSERT_GT(falling, 0);
    game->key(keys::space, 0, 0);
    EXPECT_EQ(game->player->velocityY, falling);
}

TEST_F(GameTest, UpAndDownOnlyKeepTheirFlags) {
    writeLevel("level1.level", standingLevel());
    ASSERT_TRUE(game->newGame("level1.level"));
    tick();
    tick();
    Player& player = *game->player;
    game->specialDown(GLUT_KEY_UP, 0, 0);
    game->specialDown(GLUT_KEY_DOWN, 0, 0);
    EXPECT_TRUE(shared.up);
    EXPECT_TRUE(shared.down);
    EXPECT_EQ(player.walkAcceleration, 0);
    EXPECT_FALSE(player.image->flipped);
    for (int i = 0; i < 20; ++i) {
        tick();
        ASSERT_EQ(player.x, 40);
        ASSERT_EQ(player.y, 354);
        ASSERT_GE(player.velocityY, 0);
    }
    game->specialUp(GLUT_KEY_UP, 0, 0);
    game->specialUp(GLUT_KEY_DOWN, 0, 0);
    EXPECT_FALSE(shared.up);
    EXPECT_FALSE(shared.down);
    EXPECT_EQ(shared.state, CONTINUE);
}

TEST_F(GameTest, ReshapeCentresTheViewInTheWindow) {
    // Odd sizes: each half is truncated on its own, toward zero.
    writeSolidPng("sprites/bg.png", 401, 301, Rgba{10, 10, 10, 255});
    writeLevel("level1.level", standingLevel() + backgroundSection("bg.png"));
    ASSERT_TRUE(game->newGame("level1.level"));

    TextureManager* screen = TextureManager::instance();
    LogCapture log;
    StateLoopIFC* active = nullptr;
    game->assumeControl(&active);
    EXPECT_EQ(log.text(), "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n");
    EXPECT_EQ(active, game.get());
    EXPECT_EQ(game->originX, 120);
    EXPECT_EQ(game->originY, 90);

    // The arguments do not count: the window size comes from the texture manager.
    screen->setScreenWidth(641);
    screen->setScreenHeight(481);
    game->reshape(9999, 9999);
    EXPECT_EQ(game->originX, 120);
    EXPECT_EQ(game->originY, 90);

    screen->setScreenWidth(300);
    screen->setScreenHeight(200);
    game->reshape(0, 0);
    EXPECT_EQ(game->originX, -50);
    EXPECT_EQ(game->originY, -50);
}

TEST_F(GameTest, WindowSmallerThanTheBackgroundCutsItOnBothSides) {
    // A marker block at the background's centre lands at the window's centre.
    const Rgba plain{10, 10, 120, 255};
    const Rgba marker{250, 250, 250, 255};
    std::vector<unsigned char> pixels = solidPixels(400, 300, plain);
    for (int y = 150; y < 160; ++y) {
        for (int x = 200; x < 210; ++x) {
            const size_t at = (static_cast<size_t>(y) * 400 + x) * 4;
            pixels[at] = marker.r;
            pixels[at + 1] = marker.g;
            pixels[at + 2] = marker.b;
        }
    }
    testsupport::writeRgbaPng("sprites/bg.png", 400, 300, pixels);
    writeLevel("level1.level", standingLevel() + backgroundSection("bg.png"));
    ASSERT_TRUE(game->newGame("level1.level"));
    testsupport::ensureGlContext(300, 200);
    TextureManager::instance()->setScreenWidth(300);
    TextureManager::instance()->setScreenHeight(200);
    StateLoopIFC* active = nullptr;
    game->assumeControl(&active);
    ASSERT_EQ(game->originX, -50);
    ASSERT_EQ(game->originY, -50);

    testsupport::clearScreen();
    game->display();
    EXPECT_EQ(testsupport::readPixel(150, 100), marker);
    EXPECT_EQ(testsupport::readPixel(159, 109), marker);
    EXPECT_EQ(testsupport::readPixel(149, 100), plain);
    EXPECT_EQ(testsupport::readPixel(150, 99), plain);
    EXPECT_EQ(testsupport::readPixel(0, 0), plain);
    EXPECT_EQ(testsupport::readPixel(299, 199), plain);
}

TEST_F(GameTest, DisplayDrawsBackToFront) {
    // Each layer starts 20 pixels right of the one before and all end at x 260, so at
    // x = 110 + 20 k the colour shows of layer k if and only if it is drawn over layers 0 .. k-1.
    const Rgba background{40, 40, 40, 255};
    const Rgba backScenery{0, 0, 255, 255};
    const Rgba platform{0, 255, 0, 255};
    const Rgba player{255, 255, 0, 255};
    const Rgba goal{0, 255, 255, 255};
    const Rgba trap{255, 0, 0, 255};
    const Rgba frontScenery{255, 0, 255, 255};
    writeSolidPng("sprites/bg.png", 640, 480, background);
    // The scenery in the back and the goal bob up to 20 pixels: their pictures reach well past row 200.
    writeSolidPng("sprites/back.png", 140, 240, backScenery);
    writeSolidPng("sprites/platform.png", 120, 200, platform);
    writeSolidPng("sprites/brisel.png", 6 * 100, 3 * 100, player);
    writeSolidPng("sprites/flag.png", 80, 240, goal);
    writeSolidPng("sprites/spikes.png", 60, 200, trap);
    writeSolidPng("sprites/front.png", 40, 200, frontScenery);

    Properties p;
    p.spawnX = 175;  // the 100 x 100 frame is drawn at (160, 141)
    p.spawnY = 150;
    p.winImg = "flag.png";
    p.winX = 180;
    p.winY = 80;
    // Each group is listed in the file before the groups it must cover.
    writeLevel("level1.level", section(p) + decorationSection("front.png", 220, 100, -1) +
                                   trapSection(200, 100, "spikes.png") +
                                   platformSection(140, 100, 120, 200, "platform.png") +
                                   decorationSection("back.png", 120, 80, 0) + backgroundSection("bg.png"));
    ASSERT_TRUE(game->newGame("level1.level"));
    game->reshape(640, 480);
    ASSERT_EQ(game->originX, 0);
    ASSERT_EQ(game->originY, 0);
    ASSERT_EQ(game->camera->x, 0);
    ASSERT_EQ(game->camera->y, 0);

    for (int pass = 0; pass < 3; ++pass) {
        SCOPED_TRACE("display pass " + std::to_string(pass));
        testsupport::clearScreen();
        game->display();
        EXPECT_EQ(testsupport::readPixel(110, 200), background);
        EXPECT_EQ(testsupport::readPixel(130, 200), backScenery);
        EXPECT_EQ(testsupport::readPixel(150, 200), platform);
        EXPECT_EQ(testsupport::readPixel(170, 200), player);
        EXPECT_EQ(testsupport::readPixel(190, 200), goal);
        EXPECT_EQ(testsupport::readPixel(210, 200), trap);
        EXPECT_EQ(testsupport::readPixel(230, 200), frontScenery);
        EXPECT_EQ(testsupport::readPixel(259, 200), frontScenery);
        EXPECT_EQ(testsupport::readPixel(260, 200), background);
    }
}

TEST_F(GameTest, PauseMenuResumesRestartsAtTheStartAndLeavesByKeysAndPointer) {
    writeSolidPng("sprites/bg.png", 640, 480, Rgba{10, 10, 10, 255});
    writeLevel("level1.level", standingLevel() + backgroundSection("bg.png"));
    ASSERT_TRUE(game->startRun("level1.level"));
    StateLoopIFC* active = nullptr;
    game->assumeControl(&active);
    game->specialDown(GLUT_KEY_RIGHT, 0, 0);
    for (int i = 0; i < 20; ++i) {
        tick();
    }
    const int walked = game->player->x;
    ASSERT_GT(walked, 40);

    // Paused ticks are not counted; Enter with nothing highlighted resumes.
    game->key('p', 0, 0);
    for (int i = 0; i < 10; ++i) {
        tick();
    }
    EXPECT_EQ(game->levelTicks(), 20);
    game->key(keys::enter, 0, 0);
    EXPECT_FALSE(game->isPaused());
    tick();
    EXPECT_EQ(game->levelTicks(), 21);
    EXPECT_EQ(game->runTicks(), 21);

    // Down twice lights Restart level: back at the start, the time at 0, the run's time kept.
    game->key('p', 0, 0);
    game->specialDown(GLUT_KEY_DOWN, 0, 0);
    game->specialDown(GLUT_KEY_DOWN, 0, 0);
    game->key(keys::space, 0, 0);
    EXPECT_FALSE(game->isPaused());
    EXPECT_EQ(game->player->x, 40);
    EXPECT_EQ(game->player->y, 354);
    EXPECT_EQ(game->levelTicks(), 0);
    EXPECT_EQ(game->runTicks(), 21);

    // The pointer: the third choice, below the sign, leaves for the menu.
    game->key('p', 0, 0);
    const int centreX = game->originX + 320;
    const int titleChoiceY = game->originY + 240 + 76 + 2 * 30 + 10;
    game->mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, centreX, titleChoiceY);
    game->mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, centreX, 20);
    EXPECT_EQ(shared.state, CONTINUE) << "a release, or a press off the choices, does nothing";
    game->mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, centreX, titleChoiceY);
    EXPECT_EQ(shared.state, MENU);
    EXPECT_FALSE(game->isPaused());
}

TEST_F(GameTest, FinishingALevelSavesItsTimeDeathsAndTheNextLevelReached) {
    Properties first;
    first.winX = 140;
    first.winY = 354;
    first.nextMap = "level2.level";
    writeLevel("level1.level", named("The First", standingLevel(first)) + trapSection(60, 300, "trap.png"));
    writeLevel("level2.level", named("The Second", standingLevel()));
    ProgressFile progress;
    game->useProgress(&progress);
    ASSERT_TRUE(game->startRun("level1.level"));
    EXPECT_FALSE(std::filesystem::exists("progress.ini")) << "nothing is written before a level is finished";

    // A jump into the trap above the start, then a walk right to the goal.
    game->key(keys::space, 0, 0);
    int ticks = 0;
    while (game->runDeaths() == 0 && ticks < 200) {
        tick();
        ++ticks;
    }
    ASSERT_EQ(game->runDeaths(), 1);
    game->specialDown(GLUT_KEY_RIGHT, 0, 0);
    while (game->levelsStarted() == 1 && ticks < 400) {
        tick();
        ++ticks;
    }
    ASSERT_EQ(game->levelsStarted(), 2);

    ProgressFile saved;
    saved.load();
    const LevelRecord* done = saved.progress().find("level1.level");
    ASSERT_NE(done, nullptr);
    EXPECT_TRUE(done->finished);
    EXPECT_EQ(done->bestTicks, ticks);
    EXPECT_EQ(done->deaths, 1);
    EXPECT_EQ(done->name, "The First");
    EXPECT_EQ(saved.progress().furthest(), "level2.level");
    EXPECT_EQ(saved.progress().find("level2.level")->name, "The Second");
    EXPECT_FALSE(saved.progress().find("level2.level")->finished);
    EXPECT_EQ(game->runTicks(), ticks);
    EXPECT_EQ(game->levelTicks(), 0);
}

TEST_F(GameTest, JumpGraceTakesAPressThreeTicksBeforeLandingOrAfterWalkingOffALedge) {
    // A ledge from x 0 to 200 over a floor 100 pixels lower.
    Properties p;
    p.spawnY = 254;
    writeLevel("level1.level", section(p) + platformSection(0, 300, 200, 20) + floorSection);
    for (const bool grace : {false, true}) {
        PlayOptions::instance().jumpGrace = grace;
        ASSERT_TRUE(game->newGame("level1.level"));
        for (int i = 0; i < 5; ++i) {
            tick();
        }
        // The landing tick of a standing jump, found on a copy of the play.
        game->key(keys::space, 0, 0);
        PlayState copy = game->playState();
        int landing = 0;
        for (bool landed = false; !landed && landing < 200; ++landing) {
            landed = stepPlay(game->playWorld(), copy).has(PlayEvent::Kind::Landed);
        }
        for (int i = 0; i < landing - 3; ++i) {
            tick();
        }
        game->key(keys::space, 0, 0);
        EXPECT_GT(game->player->velocityY, 0) << "still falling: no jump yet";
        for (int i = 0; i < 3; ++i) {
            tick();
        }
        EXPECT_EQ(game->player->velocityY < 0, grace) << "grace " << grace;

        // Walking right off the ledge; Space three ticks after the last tick on it.
        ASSERT_TRUE(game->newGame("level1.level"));
        game->specialDown(GLUT_KEY_RIGHT, 0, 0);
        int airborne = 0;
        for (int i = 0; i < 300 && airborne < 3; ++i) {
            tick();
            airborne = game->player->x > 200 && game->player->velocityY > 0 ? airborne + 1 : 0;
        }
        ASSERT_EQ(airborne, 3);
        game->key(keys::space, 0, 0);
        EXPECT_EQ(game->player->velocityY < 0, grace) << "grace " << grace;
        game->specialUp(GLUT_KEY_RIGHT, 0, 0);
    }
    PlayOptions::instance().jumpGrace = false;
}
