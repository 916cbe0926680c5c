// Plays a level with the real game code, one display pass per tick and a fixed random seed,
// so a play can be recorded and replayed exactly. Run it in the game folder (data/, sprites/,
// sounds/ beside it):
//   playtest record LEVEL SCRIPT   play the level yourself; your keys are written to SCRIPT
//                                  when the goal is reached or Escape is pressed
//   playtest show LEVEL SCRIPT     replays the script in a window at the game's pace
//   playtest trace LEVEL SCRIPT    replays as fast as it can and prints the player every tick;
//                                  needs no display
// Options: --seed N (default 1), --ticks N (most ticks to play, default 7200).
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "app/Display.h"
#include "app/SharedState.h"
#include "core/GameUnits.h"
#include "game/Camera.h"
#include "game/Game.h"
#include "game/HeadlessPlay.h"
#include "game/InputScript.h"
#include "game/ScriptedPlay.h"
#include "graphics/TextureManager.h"
#include "level/Level.h"
#include "tools/ToolSound.h"

namespace {

struct Options {
    std::string mode;
    std::string level;
    std::string script;
    unsigned int seed = 1;
    int ticks = 7200;
};

SharedState shared;
Game* game = nullptr;
InputScript recording;
InputScript replay;
Options options;
int tick = 0;

bool parseOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seed" && i + 1 < argc) {
            options.seed = static_cast<unsigned int>(std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "--ticks" && i + 1 < argc) {
            options.ticks = std::atoi(argv[++i]);
        } else if (options.mode.empty()) {
            options.mode = argument;
        } else if (options.level.empty()) {
            options.level = argument;
        } else if (options.script.empty()) {
            options.script = argument;
        } else {
            return false;
        }
    }
    return (options.mode == "record" || options.mode == "show" || options.mode == "trace") && !options.level.empty() &&
           !options.script.empty();
}

void fitWindowToLevel() {
    TextureManager* screen = TextureManager::instance();
    screen->setScreenWidth(game->camera->width);
    screen->setScreenHeight(game->camera->height);
    glutReshapeWindow(game->camera->width, game->camera->height);
    setPixelProjection(game->camera->width, game->camera->height);
    game->reshape(0, 0);
}

bool startLevel() {
    std::srand(options.seed);
    game = new Game(&shared);
    if (!game->newGame(options.level)) {
        std::fprintf(stderr, "playtest: cannot load %s\n", options.level.c_str());
        return false;
    }
    fitWindowToLevel();
    return true;
}

void finishRecording(const char* why) {
    std::ofstream out(options.script);
    out << "; " << options.level << ", seed " << options.seed << ": " << why << " after " << tick << " ticks\n";
    out << recording.text();
    std::printf("playtest: %s after %d ticks; %zu events written to %s\n", why, tick, recording.events().size(),
                options.script.c_str());
    std::exit(0);
}

// One tick as the replays run it: this tick's keys, the update, one display pass.
void runTick(int) {
    ++tick;
    if (options.mode == "show") {
        replay.apply(tick, *game);
    }
    const int level = game->levelsStarted();
    game->update(0);
    glClear(GL_COLOR_BUFFER_BIT);
    game->display();
    glutSwapBuffers();
    if (game->levelsStarted() != level || shared.state == WIN) {
        if (options.mode == "record") {
            finishRecording("goal reached");
        }
        std::printf("playtest: goal reached after %d ticks\n", tick);
        std::exit(0);
    }
    if (tick >= options.ticks) {
        std::printf("playtest: no goal after %d ticks\n", tick);
        std::exit(1);
    }
    glutTimerFunc(units::kTickMilliseconds, runTick, 0);
}

void recordSpecial(int key, bool down) {
    const char* name = key == GLUT_KEY_LEFT    ? "left"
                       : key == GLUT_KEY_RIGHT ? "right"
                       : key == GLUT_KEY_UP    ? "up"
                       : key == GLUT_KEY_DOWN  ? "down"
                                               : nullptr;
    if (name == nullptr) {
        return;
    }
    recording.add(tick + 1, down ? InputScript::Action::Down : InputScript::Action::Up, name);
    if (down) {
        game->specialDown(key, 0, 0);
    } else {
        game->specialUp(key, 0, 0);
    }
}

void recordKey(unsigned char key, int, int) {
    if (key == 27) {
        finishRecording("stopped with Escape");
    }
    if (key == ' ') {
        recording.add(tick + 1, InputScript::Action::Press, "space");
        game->key(key, 0, 0);
    }
}

int trace() {
    std::srand(options.seed);
    HeadlessPlay headless(&shared);
    if (!headless.load(options.level)) {
        std::fprintf(stderr, "playtest: cannot load %s\n", options.level.c_str());
        return 1;
    }
    const ScriptedPlay::Result result =
        ScriptedPlay::play(headless, replay, options.ticks, [](const ScriptedPlay::Tick& t) {
            std::printf("%5d x %5d y %5d vx %4d vy %5d %s%s\n", t.tick, t.x, t.y, t.velocityX, t.velocityY,
                        t.grounded ? "ground" : "air", t.respawned ? " RESPAWN" : "");
        });
    const char* ends[] = {"goal reached (next level)", "goal reached (won)", "left play", "no goal"};
    std::printf("playtest: %s after %d ticks, %d respawns\n", ends[static_cast<int>(result.end)], result.ticks,
                result.respawns);
    return result.end == ScriptedPlay::End::NextLevel || result.end == ScriptedPlay::End::Won ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (!parseOptions(argc, argv)) {
        std::fprintf(stderr, "usage: %s record|show|trace LEVEL SCRIPT [--seed N] [--ticks N]\n", argv[0]);
        return 2;
    }
    if (options.mode != "record") {
        std::ifstream in(options.script);
        std::string error;
        if (!in || !replay.parse(in, error)) {
            std::fprintf(stderr, "playtest: %s: %s\n", options.script.c_str(), in ? error.c_str() : "cannot read");
            return 2;
        }
    }
    // The game's log is not wanted here.
    static std::ostringstream quiet;
    std::cout.rdbuf(quiet.rdbuf());
    if (options.mode == "trace") {
        quietSoundDevice();
        return trace();
    }
    openToolWindow("playtest", "Vantorel playtest", 640, 480);
    if (!startLevel()) {
        return 1;
    }
    glutDisplayFunc([] {});
    glutSetKeyRepeat(GLUT_KEY_REPEAT_OFF);
    if (options.mode == "record") {
        glutSpecialFunc([](int key, int, int) { recordSpecial(key, true); });
        glutSpecialUpFunc([](int key, int, int) { recordSpecial(key, false); });
        glutKeyboardFunc(recordKey);
    }
    glutTimerFunc(0, runTick, 0);
    glutMainLoop();
    return 0;
}
