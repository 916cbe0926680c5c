// Measures how forgiving a level's recorded keys are, with the real play step and no display.
// It plays in the game folder (data/, sprites/, sounds/): FOLDER, or the working folder when it
// holds data/, or the installed game's folder. LEVEL is a name in its data/ or an absolute path;
// KEYS is taken from the working folder.
//   levelfair [--game FOLDER] [--strict] [--seeds N] [--jitter-runs N] LEVEL KEYS
// It reports each key event's window (the ticks it may move, alone, and still win), the events
// that fail both one tick early and one tick late, how many plays win with every event up to
// two ticks off, the closest pass to each trap, and whether seeds 1..N win: with keys of their
// own (KEYS with ".seedN" before ".keys", say level9.seed11.keys) or with the recorded keys and
// waits where the player stands still. A win reaches the goal without a respawn.
// Exits 1 when the recorded keys do not win; with --strict also unless no event fails at both
// sides, every trap is passed with at least 4 pixels to spare and every seed wins.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/GameFolder.h"
#include "game/FairnessCheck.h"
#include "tools/ToolSound.h"

namespace {

bool enterGameFolder(const std::string& folder) {
    if (chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "levelfair: cannot use the game folder %s: %s\n", folder.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

const int64_t kFairGap = 4;  // pixels a fair level leaves between the play and every trap

const char* actionName(InputScript::Action action) {
    return action == InputScript::Action::Down ? "down" : action == InputScript::Action::Up ? "up" : "press";
}

bool readKeys(const std::string& path, InputScript& keys, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read";
        return false;
    }
    return keys.parse(in, error);
}

// "tests/replays/level9.keys" and seed 11 give "tests/replays/level9.seed11.keys".
std::string seedKeysPath(const std::string& keys, unsigned seed) {
    const std::string suffix = ".keys";
    const bool named =
        keys.size() > suffix.size() && keys.compare(keys.size() - suffix.size(), suffix.size(), suffix) == 0;
    const std::string stem = named ? keys.substr(0, keys.size() - suffix.size()) : keys;
    return stem + ".seed" + std::to_string(seed) + suffix;
}

std::string shiftText(int shift) {
    return (shift > 0 ? "+" : "") + std::to_string(shift);
}

void print(const std::string& level, const FairnessCheck::Report& report) {
    std::printf("%s: %s after %d ticks\n", level.c_str(), report.won ? "won" : "NOT won", report.ticks);
    std::printf("event windows (ticks each event may move alone and still win):\n");
    for (size_t i = 0; i < report.windows.size(); ++i) {
        const FairnessCheck::EventWindow& w = report.windows[i];
        const std::string window = w.earliest > w.latest ? "none" : shiftText(w.earliest) + ".." + shiftText(w.latest);
        std::printf("  %3zu  tick %5d %-5s %-6s %-8s%s\n", i + 1, w.event.tick, actionName(w.event.action),
                    w.event.key.c_str(), window.c_str(), w.failsBothSides ? "  fails at both -1 and +1" : "");
    }
    std::printf("events failing at both -1 and +1: %d of %zu\n", report.failingBothSides, report.windows.size());
    const int percent = report.jitterRuns > 0 ? report.jitterWins * 100 / report.jitterRuns : 0;
    std::printf("every event up to 2 ticks off: %d of %d plays win (%d %%)\n", report.jitterWins, report.jitterRuns,
                percent);
    if (report.closestPass < 0) {
        std::printf("closest pass to a trap: no traps\n");
    } else {
        std::printf("closest pass to a trap: %lld px\n", static_cast<long long>(report.closestPass));
    }
    for (const FairnessCheck::TrapPass& pass : report.traps) {
        if (pass.gap < 32) {
            std::printf("  trap of line %d: %lld px\n", pass.line, static_cast<long long>(pass.gap));
        }
    }
    for (const FairnessCheck::SeedResult& seed : report.seeds) {
        std::printf("seed %2u: %s", seed.seed, seed.won ? "won" : "NOT won");
        if (seed.ownKeys) {
            std::printf(" (its own keys)");
        }
        for (const auto& [tick, wait] : seed.waits) {
            std::printf(" (waits %d ticks at tick %d)", wait, tick);
        }
        std::printf("\n");
    }
}

bool fair(const FairnessCheck::Report& report) {
    bool everySeed = true;
    for (const FairnessCheck::SeedResult& seed : report.seeds) {
        everySeed = everySeed && seed.won;
    }
    const bool wideEnough = report.closestPass < 0 || report.closestPass >= kFairGap;
    return report.won && report.failingBothSides == 0 && wideEnough && everySeed;
}

}  // namespace

int main(int argc, char** argv) {
    FairnessCheck::Options options;
    bool strict = false;
    std::string level;
    std::string keysPath;
    std::string given;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--game" && i + 1 < argc) {
            given = argv[++i];
        } else if (argument == "--strict") {
            strict = true;
        } else if (argument == "--seeds" && i + 1 < argc) {
            options.seeds = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "--jitter-runs" && i + 1 < argc) {
            options.jitterRuns = std::atoi(argv[++i]);
        } else if (level.empty()) {
            level = argument;
        } else if (keysPath.empty()) {
            keysPath = argument;
        } else {
            level.clear();
            break;
        }
    }
    if (level.empty() || keysPath.empty()) {
        std::fprintf(stderr, "usage: %s [--game FOLDER] [--strict] [--seeds N] [--jitter-runs N] LEVEL KEYS\n",
                     argv[0]);
        return 2;
    }
    InputScript keys;
    std::string error;
    if (!readKeys(keysPath, keys, error)) {
        std::fprintf(stderr, "levelfair: %s: %s\n", keysPath.c_str(), error.c_str());
        return 2;
    }
    std::map<unsigned, InputScript> ownKeys;
    for (unsigned seed = 1; seed <= options.seeds; ++seed) {
        InputScript own;
        const std::string path = seedKeysPath(keysPath, seed);
        if (std::ifstream(path) && readKeys(path, own, error)) {
            ownKeys[seed] = own;
        }
    }
    if (!enterGameFolder(findGameFolder(given, VANTOREL_TOOL_TO_GAME))) {
        return 2;
    }
    static std::ostringstream quiet;  // the game's log is not wanted here
    std::cout.rdbuf(quiet.rdbuf());
    quietSoundDevice();
    FairnessCheck check(level, keys, ownKeys, options);
    FairnessCheck::Report report;
    if (!check.run(report)) {
        std::fprintf(stderr, "levelfair: cannot load %s\n", level.c_str());
        return 1;
    }
    print(level, report);
    return !report.won || (strict && !fair(report)) ? 1 : 0;
}
