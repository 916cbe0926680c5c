// Times the game's tick (update and one display pass, finished on the GPU side) on levels of
// several sizes, side by side: the levels are loaded one after another, then played in turns
// of 100 ticks each, so that a noisy machine disturbs every size alike. Run in a folder with
// data/ (holding the levels), sprites/ and sounds/:
//   tickbench [--ticks N] [--rounds N] LEVEL...
// It prints, per round and level, the load time and the mean time per tick, then the median
// over the rounds and its ratio to the first level's.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/Display.h"
#include "app/SharedState.h"
#include "game/Game.h"
#include "game/InputScript.h"
#include "game/ScriptedPlay.h"
#include "graphics/TextureManager.h"

namespace {

using Clock = std::chrono::steady_clock;

const int kWindowWidth = 640;
const int kWindowHeight = 480;
const int kTurnTicks = 100;

struct Run {
    std::string level;
    SharedState shared;
    std::unique_ptr<Game> game;
    std::vector<double> loadMs;
    std::vector<double> tickMs;
    double roundTotal = 0;
    int roundTicks = 0;
};

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void openWindow() {
    openToolWindow("tickbench", "Vantorel tick bench", kWindowWidth, kWindowHeight);
    setPixelProjection(kWindowWidth, kWindowHeight);
    TextureManager::instance()->setScreenWidth(kWindowWidth);
    TextureManager::instance()->setScreenHeight(kWindowHeight);
}

bool load(Run& run) {
    run.game = nullptr;
    run.shared = SharedState();
    std::srand(1);
    const Clock::time_point start = Clock::now();
    run.game = std::make_unique<Game>(&run.shared);
    if (!run.game->newGame(run.level)) {
        std::fprintf(stderr, "tickbench: cannot load %s\n", run.level.c_str());
        return false;
    }
    run.loadMs.push_back(millisecondsSince(start));
    run.game->reshape(0, 0);
    run.roundTotal = 0;
    run.roundTicks = 0;
    return true;
}

void playTurn(Run& run, const InputScript& script, int ticks) {
    Clock::time_point last = Clock::now();
    ScriptedPlay::play(*run.game, script, ticks, [&](const ScriptedPlay::Tick&) {
        glFinish();
        const Clock::time_point now = Clock::now();
        run.roundTotal += std::chrono::duration<double, std::milli>(now - last).count();
        ++run.roundTicks;
        last = now;
    });
}

}  // namespace

int main(int argc, char** argv) {
    int ticks = 600;
    int rounds = 3;
    std::vector<Run> runs;
    std::vector<std::string> levels;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--ticks" && i + 1 < argc) {
            ticks = std::atoi(argv[++i]);
        } else if (argument == "--rounds" && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else {
            levels.push_back(argument);
        }
    }
    if (levels.empty() || ticks <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: %s [--ticks N] [--rounds N] LEVEL...\n", argv[0]);
        return 2;
    }
    runs = std::vector<Run>(levels.size());
    for (size_t i = 0; i < levels.size(); ++i) {
        runs[i].level = levels[i];
    }
    // Hold Right from the first tick; every turn presses it anew, which changes nothing.
    InputScript script;
    script.add(1, InputScript::Action::Down, "right");

    // The game's log goes to a file written through at every line, as the game writes it.
    static std::ofstream log("release.log", std::ios::out | std::ios::trunc);
    std::cout.rdbuf(log.rdbuf());
    std::cout << std::unitbuf;
    openWindow();

    for (int round = 1; round <= rounds; ++round) {
        for (Run& run : runs) {
            if (!load(run)) {
                return 1;
            }
        }
        for (int played = 0; played < ticks; played += kTurnTicks) {
            for (Run& run : runs) {
                playTurn(run, script, std::min(kTurnTicks, ticks - played));
            }
        }
        for (Run& run : runs) {
            run.tickMs.push_back(run.roundTotal / run.roundTicks);
            std::printf("round %d  %-28s load %8.1f ms   %7.3f ms per tick\n", round, run.level.c_str(),
                        run.loadMs.back(), run.tickMs.back());
        }
        std::fflush(stdout);
    }
    const double base = median(runs.front().tickMs);
    std::printf("\n%-28s %10s %14s %10s\n", "level", "load ms", "ms per tick", "ratio");
    for (Run& run : runs) {
        const double perTick = median(run.tickMs);
        std::printf("%-28s %10.1f %14.3f %9.2fx\n", run.level.c_str(), median(run.loadMs), perTick, perTick / base);
    }
    return 0;
}
