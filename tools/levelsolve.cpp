// Finds keys that win a level, for level authors who would rather not play a long level by
// hand tick for tick. A beam search drives the real game headless: every few ticks each kept
// play branches into the six key choices (no arrow, left or right, each with or without a
// jump), branches that respawn are dropped, and the plays that have come furthest along a
// route of waypoints are kept. The keys found are replayed through the ordinary scripted play
// before they are written. It needs no display. It plays in the game folder (data/, sprites/,
// sounds/): FOLDER, or the working folder when it holds data/, or the installed game's folder.
// LEVEL is a name in its data/ or an absolute path; SCRIPT is written from the working folder.
//   levelsolve [--game FOLDER] LEVEL SCRIPT [--via X,Y[,R]]... [--stop X,Y[,R]]... [--seed N]
//              [--segment TICKS] [--beam N] [--ticks N] [--margin PX] [--settle N] [--robust TICKS]
// Each --via is a place to stand on (the player's box centre within R pixels, default 48),
// reached in order before the goal; the route steers the search round walls and up climbs.
// A --stop is a waypoint where the play comes to a standstill with no arrow held, a place a
// person stops to watch the traps (and where levelfair lets other seeds wait).
// Three options make the keys ones a person can play, at the cost of a slower search:
// --margin drops plays that come closer than PX pixels to a trap's hazard box; --settle holds
// the keys N segments after every change, so no quick corrections follow a jump or a step;
// --robust follows each key change also one tick early and one tick late for TICKS ticks (or
// to the goal) and drops the play unless one of the two lives through them, never further
// than 16 pixels from it; a shift that comes to stand and move exactly as the play does needs
// no more following, which keeps --robust to the goal affordable on long levels.
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
#include "game/FairnessCheck.h"
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
// A key change shifted by a tick counts as surviving when it ends up this near the play.
const int shadowNearness = 16;

struct Options {
    std::string level;
    std::string script;
    std::string gameFolder;
    unsigned int seed = 1;
    int segment = 4;
    int beam = 300;
    int ticks = 7200;
    int margin = 0;  // pixels; 0 lets a play touch a trap's box as long as it does not overlap
    int settle = 0;
    int robust = 0;  // ticks; 0 follows no shifted key changes
    struct Waypoint {
        int x, y, radius;
        bool stop;  // passed only standing still there, with no arrow held
    };
    std::vector<Waypoint> route;
};

// What of a play the search has to keep: the player and the held arrows. The scenery runs the
// same way in every play, so it is kept once per tick instead.
struct PlayerState {
    PlayerBody body;
    HeldArrows arrows;
};

// The same play with its key change at one tick shifted a tick early and a tick late, followed
// until its ticks run out.
struct Shadow {
    struct Side {
        PlayerState state;
        enum class Fate { Playing, Lost, Won } fate = Fate::Playing;
    };
    Side early;
    Side late;
    int ticksLeft = 0;
};
using Side = Shadow::Side;

// One step of a play's history, kept for every play ever tried, to write the keys from.
struct Step {
    int parent;
    int choice;
};

// A play still in the search.
struct Play {
    PlayerState player;
    PlayerState beforeLastTick;  // where the last tick of its segment began
    int step;                    // its last step in the history
    int waypoint;                // the next waypoint to pass
    int keyEvents;
    int settling;  // segments left that keep the keys
    std::vector<Shadow> shadows;
    double score;
};

Options options;
SharedState shared;

bool parseWaypoint(const char* text, bool stop, Options::Waypoint& point) {
    point.radius = defaultRadius;
    point.stop = stop;
    return std::sscanf(text, "%d,%d,%d", &point.x, &point.y, &point.radius) >= 2;
}

bool parseOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--game" && hasValue) {
            options.gameFolder = argv[++i];
        } else if ((argument == "--via" || argument == "--stop") && hasValue) {
            Options::Waypoint point{};
            if (!parseWaypoint(argv[++i], argument == "--stop", point)) {
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
        } else if (argument == "--margin" && hasValue) {
            options.margin = std::max(0, std::atoi(argv[++i]));
        } else if (argument == "--settle" && hasValue) {
            options.settle = std::max(0, std::atoi(argv[++i]));
        } else if (argument == "--robust" && hasValue) {
            options.robust = std::max(0, std::atoi(argv[++i]));
        } else if (options.level.empty()) {
            options.level = argument;
        } else if (options.script.empty()) {
            options.script = argument;
        } else {
            return false;
        }
    }
    if (options.robust > 0) {
        // A tick late must still fall inside the segment.
        options.segment = std::max(2, options.segment);
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

// The keys a choice presses, or a part of them: the arrows it changes, its jump.
struct Press {
    int choice;
    bool arrows = true;
    bool jump = true;
};

void pressKeys(HeadlessPlay& play, Press press) {
    InputScript events;
    if (press.arrows) {
        keysFor(press.choice % 3, play.state().arrows.left, play.state().arrows.right, 1, events);
    }
    if (press.jump && wantsJump(press.choice)) {
        events.add(1, InputScript::Action::Press, "space");
    }
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
void score(Play& node, const std::vector<Options::Waypoint>& route) {
    const PlayerBody& body = node.player.body;
    const bool still = body.velocityX == 0 && !node.player.arrows.left && !node.player.arrows.right;
    while (body.grounded && node.waypoint < static_cast<int>(route.size()) &&
           distanceTo(body, route[node.waypoint]) <= route[node.waypoint].radius &&
           (still || !route[node.waypoint].stop)) {
        ++node.waypoint;
    }
    node.score = node.waypoint * 1.0e6 - remainingWay(body, route[node.waypoint]) - node.keyEvents * 0.01;
}

uint64_t areaOf(const Play& node) {
    const int64_t column = node.player.body.x / areaSize + 100000;
    const int64_t row = node.player.body.y / areaSize + 100000;
    return (static_cast<uint64_t>(node.waypoint) * 1000003u + static_cast<uint64_t>(column)) * 1000003u +
           static_cast<uint64_t>(row);
}

uint64_t cellOf(const Play& node) {
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

// True when the player is nearer a trap than the margin allows.
bool tooNearATrap(const HeadlessPlay& play) {
    if (options.margin <= 0) {
        return false;
    }
    for (size_t i = 0; i < play.level().traps.size(); ++i) {
        if (FairnessCheck::gapToTrap(play.state(), play.level(), i) < options.margin) {
            return true;
        }
    }
    return false;
}

// Plays on for some ticks from the state the play stands in, pressing the keys first. A play that keeps the margin
// counts one too near a trap as lost. beforeLast, when given, gets the state the last tick began from.
Outcome playTicks(HeadlessPlay& play, Press press, int ticks, bool keepMargin, int start, int& wonAt,
                  PlayerState* beforeLast = nullptr) {
    for (int t = 0; t < ticks; ++t) {
        if (t == 0) {
            pressKeys(play, press);
        }
        if (beforeLast != nullptr && t == ticks - 1) {
            *beforeLast = savePlayer(play);
        }
        play.update(0);
        if (play.lastEvents().has(PlayEvent::Kind::Respawned) || (keepMargin && tooNearATrap(play))) {
            return Outcome::Respawned;
        }
        if (play.end() == HeadlessPlay::End::ReachedGoal) {
            wonAt = start + t;
            return Outcome::Won;
        }
    }
    return Outcome::Alive;
}

bool nearEnough(const PlayerState& shadow, const PlayerState& play) {
    return std::abs(shadow.body.x - play.body.x) <= shadowNearness &&
           std::abs(shadow.body.y - play.body.y) <= shadowNearness;
}

// Plays a side of a shadow on from the state the play stands in; one that has won or lost
// stays so.
void playSide(HeadlessPlay& play, Side& side, Press press, int ticks) {
    if (side.fate != Side::Fate::Playing) {
        return;
    }
    int wonAt = 0;
    const Outcome outcome = playTicks(play, press, ticks, false, 0, wonAt);
    side.state = savePlayer(play);
    side.fate = outcome == Outcome::Won         ? Side::Fate::Won
                : outcome == Outcome::Respawned ? Side::Fate::Lost
                                                : Side::Fate::Playing;
}

void playSideFrom(HeadlessPlay& play, Side& side, const SceneryState& scenery, Press press, int ticks) {
    if (side.fate == Side::Fate::Playing) {
        restorePlay(play, side.state, scenery);
        playSide(play, side, press, ticks);
    }
}

bool alive(const Shadow& shadow) {
    return shadow.early.fate != Side::Fate::Lost || shadow.late.fate != Side::Fate::Lost;
}

// Whether the side moves on exactly as the play does: positions are whole pixels, so a shift
// often comes to rest where the play rests. The pose's counters only draw.
bool movesAsThePlay(const PlayerState& side, const PlayerState& play) {
    const PlayerBody& a = side.body;
    const PlayerBody& b = play.body;
    return a.x == b.x && a.y == b.y && a.velocityX == b.velocityX && a.velocityY == b.velocityY &&
           a.friction == b.friction && a.walkAcceleration == b.walkAcceleration && a.grounded == b.grounded &&
           a.facingRight == b.facingRight && side.arrows.left == play.arrows.left &&
           side.arrows.right == play.arrows.right && side.arrows.lastRight == play.arrows.lastRight;
}

// A side that has strayed from the play is as good as lost: its later keys were found for
// where the play is. True when a side has caught the play up: it shares the play's fate from
// here on, so the shadow needs no more following.
bool keepUp(Shadow& shadow, const PlayerState& play) {
    bool caughtUp = false;
    for (Side* side : {&shadow.early, &shadow.late}) {
        if (side->fate != Side::Fate::Playing) {
            continue;
        }
        if (movesAsThePlay(side->state, play)) {
            caughtUp = true;
        } else if (!nearEnough(side->state, play)) {
            side->fate = Side::Fate::Lost;
        }
    }
    return caughtUp;
}

// Plays a shadow of the play on through the segment with the same choice; false once the
// shifted key change it follows proves unplayable: both shifts lost or strayed. ended is set
// when its ticks have run out.
bool followShadow(HeadlessPlay& play, Shadow& shadow, const SceneryState& scenery, int choice, const PlayerState& after,
                  bool& ended) {
    playSideFrom(play, shadow.early, scenery, Press{choice}, options.segment);
    playSideFrom(play, shadow.late, scenery, Press{choice}, options.segment);
    const bool caughtUp = keepUp(shadow, after);
    shadow.ticksLeft -= options.segment;
    ended = caughtUp || shadow.ticksLeft <= 0;
    return caughtUp || alive(shadow);
}

// Once the play has won, whether a shadow wins too, playing on with the keys held.
bool reachesTheGoal(HeadlessPlay& play, Shadow shadow, const SceneryState& scenery) {
    const Press none{0, false, false};
    playSideFrom(play, shadow.early, scenery, none, options.robust);
    playSideFrom(play, shadow.late, scenery, none, options.robust);
    return shadow.early.fate == Side::Fate::Won || shadow.late.fate == Side::Fate::Won;
}

// The shadow of one part of a key change made at the segment's first tick, its arrows or its
// jump (the other part stays there): the part made at the tick before (from where the parent's
// last tick began, in that tick's scenery) and a tick into the segment. A change at tick 1
// cannot come earlier.
Shadow shiftedChange(HeadlessPlay& play, const Play& from, const SceneryState& scenery,
                     const SceneryState* sceneryBefore, int choice, bool shiftArrows) {
    const Press part{choice, shiftArrows, !shiftArrows};
    const Press rest{choice, !shiftArrows, shiftArrows};
    Shadow shadow;
    shadow.ticksLeft = options.robust;
    if (sceneryBefore == nullptr) {
        shadow.early.fate = Side::Fate::Lost;
    } else {
        restorePlay(play, from.beforeLastTick, *sceneryBefore);
        playSide(play, shadow.early, part, 1);
        playSide(play, shadow.early, rest, options.segment);
    }
    restorePlay(play, from.player, scenery);
    playSide(play, shadow.late, rest, 1);
    playSide(play, shadow.late, part, options.segment - 1);
    return shadow;
}

// The choice that keeps the held arrows and presses nothing.
int holdingChoice(const HeldArrows& arrows) {
    return arrows.left ? 1 : arrows.right ? 2 : 0;
}

InputScript scriptFor(const std::vector<Step>& steps, int last) {
    std::vector<int> path;
    for (int i = last; steps[i].parent >= 0; i = steps[i].parent) {
        path.push_back(i);
    }
    std::reverse(path.begin(), path.end());
    InputScript script;
    bool left = false;
    bool right = false;
    int tick = 1;
    for (int i : path) {
        keysFor(steps[i].choice, left, right, tick, script);
        left = wantsLeft(steps[i].choice);
        right = wantsRight(steps[i].choice);
        tick += options.segment;
    }
    return script;
}

struct Found {
    InputScript script;
    int ticks = 0;
};

// The play the choice makes from a kept one over the segment, shadows and all; false when it
// respawns, passes too near a trap or makes a key change that a tick either way would spoil.
Outcome branch(HeadlessPlay& play, const Play& from, int choice, const SceneryState& scenery,
               const SceneryState* sceneryBefore, int start, int& wonAt, Play& child) {
    const int keys = keyCount(choice, from.player.arrows.left, from.player.arrows.right);
    restorePlay(play, from.player, scenery);
    const Outcome outcome = playTicks(play, Press{choice}, options.segment, true, start, wonAt, &child.beforeLastTick);
    if (outcome == Outcome::Respawned) {
        return outcome;
    }
    child.player = savePlayer(play);
    child.waypoint = from.waypoint;
    child.keyEvents = from.keyEvents + keys;
    child.settling = keys > 0 ? options.settle : std::max(0, from.settling - 1);
    child.shadows.clear();
    for (Shadow shadow : from.shadows) {
        bool ended = false;
        if (!followShadow(play, shadow, scenery, choice, child.player, ended)) {
            return Outcome::Respawned;
        }
        if (!ended) {
            child.shadows.push_back(shadow);
        }
    }
    if (keys > 0 && options.robust > 0) {
        // The arrows and the jump are shifted apart, as a person may be off with either.
        std::vector<bool> parts;
        if (choice % 3 != holdingChoice(from.player.arrows)) {
            parts.push_back(true);
        }
        if (wantsJump(choice)) {
            parts.push_back(false);
        }
        for (const bool shiftArrows : parts) {
            Shadow shadow = shiftedChange(play, from, scenery, sceneryBefore, choice, shiftArrows);
            if (keepUp(shadow, child.player)) {
                continue;
            }
            if (!alive(shadow)) {
                return Outcome::Respawned;
            }
            child.shadows.push_back(shadow);
        }
    }
    if (outcome == Outcome::Won && !child.shadows.empty()) {
        SceneryState after = scenery;
        for (int t = 0; t < options.segment; ++t) {
            advanceScenery(play.level(), after);
        }
        for (const Shadow& shadow : child.shadows) {
            if (!reachesTheGoal(play, shadow, after)) {
                return Outcome::Respawned;
            }
        }
    }
    return outcome;
}

bool search(HeadlessPlay& play, Found& found) {
    std::vector<Options::Waypoint> route = options.route;
    const Level& level = play.level();
    route.push_back(
        Options::Waypoint{level.goal.x + level.goal.width / 2, level.goal.y + level.goal.height / 2, 0, false});

    std::vector<Step> steps{Step{-1, 0}};
    Play root{savePlayer(play), savePlayer(play), 0, 0, 0, 0, {}, 0.0};
    score(root, route);
    std::vector<Play> beam{root};
    SceneryState scenery = play.state().scenery;
    SceneryState lastTickScenery;
    for (int start = 1; start <= options.ticks; start += options.segment) {
        const SceneryState* sceneryBefore = start > 1 ? &lastTickScenery : nullptr;
        std::vector<Play> children;
        for (const Play& parent : beam) {
            for (int choice = 0; choice < choices; ++choice) {
                if (parent.settling > 0 && choice != holdingChoice(parent.player.arrows)) {
                    continue;
                }
                int wonAt = 0;
                Play child;
                const Outcome outcome = branch(play, parent, choice, scenery, sceneryBefore, start, wonAt, child);
                if (outcome == Outcome::Respawned) {
                    continue;
                }
                steps.push_back(Step{parent.step, choice});
                child.step = static_cast<int>(steps.size()) - 1;
                if (outcome == Outcome::Won) {
                    found.script = scriptFor(steps, child.step);
                    found.ticks = wonAt;
                    return true;
                }
                score(child, route);
                children.push_back(std::move(child));
            }
        }
        for (int t = 0; t < options.segment; ++t) {
            if (t == options.segment - 1) {
                lastTickScenery = scenery;
            }
            advanceScenery(level, scenery);
        }

        std::vector<int> order(children.size());
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<int>(i);
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return children[a].score > children[b].score; });
        std::unordered_set<uint64_t> seen;
        std::unordered_map<uint64_t, int> crowd;
        beam.clear();
        for (int child : order) {
            if (static_cast<int>(beam.size()) >= options.beam) {
                break;
            }
            int& inArea = crowd[areaOf(children[child])];
            if (inArea < playsPerArea && seen.insert(cellOf(children[child])).second) {
                ++inArea;
                beam.push_back(std::move(children[child]));
            }
        }
        if (beam.empty()) {
            std::fprintf(stderr, "levelsolve: every play respawns by tick %d\n", start + options.segment - 1);
            return false;
        }
        found.script = scriptFor(steps, beam.front().step);
        found.ticks = start + options.segment - 1;
        const Play& best = beam.front();
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
        std::fprintf(stderr,
                     "usage: %s [--game FOLDER] LEVEL SCRIPT [--via X,Y[,R]]... [--stop X,Y[,R]]... [--seed N] "
                     "[--segment TICKS] [--beam N] [--ticks N] [--margin PX] [--settle N] [--robust TICKS]\n",
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
