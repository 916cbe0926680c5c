// Finds keys that win a level, for level authors who would rather not play a long level by
// hand tick for tick. A beam search drives the real game headless: every few ticks each kept
// play branches into the six key choices (no arrow, left or right, each with or without a
// jump), branches that respawn are dropped, and the plays that have come furthest along a
// route of waypoints are kept. The keys found are replayed through the ordinary scripted play
// before they are written. It needs no display. It plays in the game folder (data/, sprites/,
// sounds/): FOLDER, or the working folder when it holds data/, or the installed game's folder.
// LEVEL is a name in its data/ or an absolute path; SCRIPT is written from the working folder.
//   levelsolve [--game FOLDER] LEVEL SCRIPT [--via X,Y[,R]]... [--seed N] [--segment TICKS] [--beam N]
//              [--ticks N]
// Each --via is a place to stand on (the player's box centre within R pixels, default 48),
// reached in order before the goal; the route steers the search round walls and up climbs.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/SharedState.h"
#include "core/GameFolder.h"
#include "game/HeadlessPlay.h"
#include "game/InputScript.h"
#include "game/ScriptedPlay.h"
#include "level/Level.h"
#include "objects/MotionTuning.h"
#include "tools/ToolSound.h"

namespace {

const int defaultRadius = 48;  // pixels from a waypoint that count as passing it
const int choices = 6;         // {none, left, right} x {no jump, jump}
// Plays closer than this (pixels, sixtieths of a pixel per tick) count as the same play.
const int cellX = 3;
const int cellY = 3;
const int cellVelocityX = 50;
const int cellVelocityY = 60;
// At most this many kept plays share one area of the level, so the search does not crowd
// into one spot (say, under a ledge near the next waypoint) and lose the way round.
const int areaSize = 32;
const int playsPerArea = 3;
const double belowWeight = 4.0;  // a pixel below the next waypoint counts as this many beside it
const int playerHalfWidth = tuning::kPlayerWidth / 2;
const int playerHalfHeight = tuning::kPlayerHeight / 2;

struct Options {
    std::string level;
    std::string script;
    std::string gameFolder;
    unsigned int seed = 1;
    int segment = 4;
    int beam = 300;
    int ticks = 7200;
    struct Waypoint {
        int x, y, radius;
    };
    std::vector<Waypoint> route;
};

// What of a play the search has to keep: the player and the held arrows. The scenery runs the
// same way in every play, so it is kept once per tick instead.
struct PlayerState {
    PlayerBody body;
    HeldArrows arrows;
};

struct Node {
    PlayerState player;
    int parent;
    int choice;
    int waypoint;  // the next waypoint to pass
    int keyEvents;
    double score;
};

Options options;
SharedState shared;

bool parseWaypoint(const char* text, Options::Waypoint& point) {
    point.radius = defaultRadius;
    return std::sscanf(text, "%d,%d,%d", &point.x, &point.y, &point.radius) >= 2;
}

bool parseOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--game" && hasValue) {
            options.gameFolder = argv[++i];
        } else if (argument == "--via" && hasValue) {
            Options::Waypoint point{};
            if (!parseWaypoint(argv[++i], point)) {
                return false;
            }
            options.route.push_back(point);
        } else if (argument == "--seed" && hasValue) {
            options.seed = static_cast<unsigned int>(std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "--segment" && hasValue) {
            options.segment = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--beam" && hasValue) {
            options.beam = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--ticks" && hasValue) {
            options.ticks = std::atoi(argv[++i]);
        } else if (options.level.empty()) {
            options.level = argument;
        } else if (options.script.empty()) {
            options.script = argument;
        } else {
            return false;
        }
    }
    return !options.level.empty() && !options.script.empty();
}

// Loads the level under the seed; its goal ends play.
bool loadLevel(HeadlessPlay& play) {
    std::srand(options.seed);
    return play.load(options.level);
}

PlayerState savePlayer(const HeadlessPlay& play) {
    return PlayerState{play.state().player, play.state().arrows};
}

// The play put back as it stood: this player in the scenery of that tick.
void restorePlay(HeadlessPlay& play, const PlayerState& player, const SceneryState& scenery) {
    PlayState state;
    state.player = player.body;
    state.arrows = player.arrows;
    state.scenery = scenery;
    play.restore(state);
}

bool wantsLeft(int choice) {
    return choice % 3 == 1;
}
bool wantsRight(int choice) {
    return choice % 3 == 2;
}
bool wantsJump(int choice) {
    return choice >= 3;
}

// The key events that turn the held arrows into the choice's, releases first.
void keysFor(int choice, bool left, bool right, int tick, InputScript& out) {
    if (right && !wantsRight(choice)) {
        out.add(tick, InputScript::Action::Up, "right");
    }
    if (left && !wantsLeft(choice)) {
        out.add(tick, InputScript::Action::Up, "left");
    }
    if (wantsLeft(choice) && !left) {
        out.add(tick, InputScript::Action::Down, "left");
    }
    if (wantsRight(choice) && !right) {
        out.add(tick, InputScript::Action::Down, "right");
    }
    if (wantsJump(choice)) {
        out.add(tick, InputScript::Action::Press, "space");
    }
}

int keyCount(int choice, bool left, bool right) {
    InputScript events;
    keysFor(choice, left, right, 1, events);
    return static_cast<int>(events.events().size());
}

void pressKeys(HeadlessPlay& play, int choice) {
    InputScript events;
    keysFor(choice, play.state().arrows.left, play.state().arrows.right, 1, events);
    events.apply(1, play);
}

double distanceTo(const PlayerBody& s, const Options::Waypoint& w) {
    const double dx = s.x + playerHalfWidth - w.x;
    const double dy = s.y + playerHalfHeight - w.y;
    return std::sqrt(dx * dx + dy * dy);
}

// How far the play seems from the waypoint: a pixel below it counts several times, since
// falling is easy and climbing back is not, so plays falling past do not crowd out the ones
// still waiting above.
double remainingWay(const PlayerBody& s, const Options::Waypoint& w) {
    const double dx = s.x + playerHalfWidth - w.x;
    const double below = std::max(0.0, static_cast<double>(s.y + playerHalfHeight - w.y));
    const double above = std::max(0.0, static_cast<double>(w.y - s.y - playerHalfHeight));
    return std::sqrt(dx * dx + above * above) + below * belowWeight;
}

// Passes every waypoint the player stands within reach of (flying past a small ledge is not
// reaching it) and scores the play: waypoints passed first, then nearness to the next one,
// and fewer key events among equals.
void score(Node& node, const std::vector<Options::Waypoint>& route) {
    const PlayerBody& body = node.player.body;
    while (body.grounded && node.waypoint < static_cast<int>(route.size()) &&
           distanceTo(body, route[node.waypoint]) <= route[node.waypoint].radius) {
        ++node.waypoint;
    }
    node.score = node.waypoint * 1.0e6 - remainingWay(body, route[node.waypoint]) - node.keyEvents * 0.01;
}

uint64_t areaOf(const Node& node) {
    const int64_t column = node.player.body.x / areaSize + 100000;
    const int64_t row = node.player.body.y / areaSize + 100000;
    return (static_cast<uint64_t>(node.waypoint) * 1000003u + static_cast<uint64_t>(column)) * 1000003u +
           static_cast<uint64_t>(row);
}

uint64_t cellOf(const Node& node) {
    const PlayerBody& s = node.player.body;
    uint64_t key = static_cast<uint64_t>(node.waypoint);
    const int64_t parts[] = {s.x / cellX,
                             s.y / cellY,
                             s.velocityX / cellVelocityX,
                             s.velocityY / cellVelocityY,
                             s.grounded,
                             node.player.arrows.left,
                             node.player.arrows.right};
    for (int64_t part : parts) {
        key = key * 1000003u + static_cast<uint64_t>(part + 500000);
    }
    return key;
}

enum class Outcome { Alive, Respawned, Won };

// Plays the choice for one segment from the node's state at tick start, in the scenery of that
// tick.
Outcome playSegment(HeadlessPlay& play, const Node& from, const SceneryState& scenery, int choice, int start,
                    int& wonAt) {
    restorePlay(play, from.player, scenery);
    for (int t = 0; t < options.segment; ++t) {
        if (t == 0) {
            pressKeys(play, choice);
        }
        play.update(0);
        if (play.lastEvents().has(PlayEvent::Kind::Respawned)) {
            return Outcome::Respawned;
        }
        if (play.end() == HeadlessPlay::End::ReachedGoal) {
            wonAt = start + t;
            return Outcome::Won;
        }
    }
    return Outcome::Alive;
}

InputScript scriptFor(const std::vector<Node>& nodes, int last) {
    std::vector<int> path;
    for (int i = last; nodes[i].parent >= 0; i = nodes[i].parent) {
        path.push_back(i);
    }
    std::reverse(path.begin(), path.end());
    InputScript script;
    bool left = false;
    bool right = false;
    int tick = 1;
    for (int i : path) {
        keysFor(nodes[i].choice, left, right, tick, script);
        left = wantsLeft(nodes[i].choice);
        right = wantsRight(nodes[i].choice);
        tick += options.segment;
    }
    return script;
}

struct Found {
    InputScript script;
    int ticks = 0;
};

bool search(HeadlessPlay& play, Found& found) {
    std::vector<Options::Waypoint> route = options.route;
    const Level& level = play.level();
    route.push_back(Options::Waypoint{level.goal.x + level.goal.width / 2, level.goal.y + level.goal.height / 2, 0});

    std::vector<Node> nodes;
    Node root{savePlayer(play), -1, 0, 0, 0, 0.0};
    score(root, route);
    nodes.push_back(root);
    std::vector<int> beam{0};
    SceneryState scenery = play.state().scenery;
    for (int start = 1; start <= options.ticks; start += options.segment) {
        std::vector<int> children;
        for (int parent : beam) {
            for (int choice = 0; choice < choices; ++choice) {
                int wonAt = 0;
                const Outcome outcome = playSegment(play, nodes[parent], scenery, choice, start, wonAt);
                if (outcome == Outcome::Respawned) {
                    continue;
                }
                const Node& from = nodes[parent];
                Node child{savePlayer(play),
                           parent,
                           choice,
                           from.waypoint,
                           from.keyEvents + keyCount(choice, from.player.arrows.left, from.player.arrows.right),
                           0.0};
                nodes.push_back(child);
                if (outcome == Outcome::Won) {
                    found.script = scriptFor(nodes, static_cast<int>(nodes.size()) - 1);
                    found.ticks = wonAt;
                    return true;
                }
                score(nodes.back(), route);
                children.push_back(static_cast<int>(nodes.size()) - 1);
            }
        }
        for (int t = 0; t < options.segment; ++t) {
            advanceScenery(level, scenery);
        }

        std::stable_sort(children.begin(), children.end(),
                         [&](int a, int b) { return nodes[a].score > nodes[b].score; });
        std::unordered_set<uint64_t> seen;
        std::unordered_map<uint64_t, int> crowd;
        beam.clear();
        for (int child : children) {
            if (static_cast<int>(beam.size()) >= options.beam) {
                break;
            }
            int& inArea = crowd[areaOf(nodes[child])];
            if (inArea < playsPerArea && seen.insert(cellOf(nodes[child])).second) {
                ++inArea;
                beam.push_back(child);
            }
        }
        if (beam.empty()) {
            std::fprintf(stderr, "levelsolve: every play respawns by tick %d\n", start + options.segment - 1);
            return false;
        }
        found.script = scriptFor(nodes, beam.front());
        found.ticks = start + options.segment - 1;
        const Node& best = nodes[beam.front()];
        if ((start - 1) % (options.segment * 50) == 0) {
            std::fprintf(stderr, "tick %5d: best at (%d, %d), waypoint %d of %zu, %zu plays kept\n", start,
                         best.player.body.x, best.player.body.y, best.waypoint, route.size(), beam.size());
        }
    }
    std::fprintf(stderr, "levelsolve: no goal within %d ticks\n", options.ticks);
    return false;
}

// Replays the keys as the replay tests do; true when they reach the goal with no respawn.
bool confirm(HeadlessPlay& play, const InputScript& script, int& ticks) {
    if (!loadLevel(play)) {
        return false;
    }
    const ScriptedPlay::Result result = ScriptedPlay::play(play, script, options.ticks);
    ticks = result.ticks;
    const bool reached = result.end == ScriptedPlay::End::Won || result.end == ScriptedPlay::End::NextLevel;
    return reached && result.respawns == 0;
}

bool writeScript(const InputScript& script, int ticks) {
    std::ofstream out(options.script);
    out << "; " << options.level << ", seed " << options.seed << ": goal reached after " << ticks << " ticks\n";
    out << script.text();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (!parseOptions(argc, argv)) {
        std::fprintf(
            stderr,
            "usage: %s [--game FOLDER] LEVEL SCRIPT [--via X,Y[,R]]... [--seed N] [--segment TICKS] [--beam N] "
            "[--ticks N]\n",
            argv[0]);
        return 2;
    }
    const std::string folder = findGameFolder(options.gameFolder, VANTOREL_TOOL_TO_GAME);
    // The keys are written where they were asked for, wherever the game folder is.
    if (folder != ".") {
        options.script = absoluteFromHere(options.script);
    }
    if (chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "levelsolve: cannot use the game folder %s: %s\n", folder.c_str(), std::strerror(errno));
        return 2;
    }
    static std::ostringstream quiet;  // the game's log is not wanted here
    std::cout.rdbuf(quiet.rdbuf());
    quietSoundDevice();
    HeadlessPlay play(&shared);
    if (!loadLevel(play)) {
        std::fprintf(stderr, "levelsolve: cannot load %s\n", options.level.c_str());
        return 1;
    }
    Found found;
    const bool solved = search(play, found);
    if (!solved) {
        // The furthest play, to look at with playtest trace or show.
        const std::string partial = options.script + ".part";
        std::ofstream out(partial);
        out << "; " << options.level << ", seed " << options.seed << ": furthest play, " << found.ticks << " ticks\n"
            << found.script.text();
        std::fprintf(stderr, "levelsolve: the furthest play is in %s\n", partial.c_str());
        return 1;
    }
    int ticks = 0;
    if (!confirm(play, found.script, ticks)) {
        std::fprintf(stderr, "levelsolve: the keys found do not replay to the goal (%d ticks)\n", ticks);
        return 1;
    }
    if (!writeScript(found.script, ticks)) {
        std::fprintf(stderr, "levelsolve: cannot write %s\n", options.script.c_str());
        return 1;
    }
    std::printf("levelsolve: goal reached after %d ticks; %zu events written to %s\n", ticks,
                found.script.events().size(), options.script.c_str());
    return 0;
}
