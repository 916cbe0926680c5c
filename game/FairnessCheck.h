#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/SharedState.h"
#include "game/HeadlessPlay.h"
#include "game/InputScript.h"
#include "game/PlayState.h"

// How forgiving a level's recorded keys are, measured with the play step alone: how far each
// key event may move and still win, how often keys a little off win, how close the play comes
// to each trap, and whether the level is won whatever seed the clock gives its traps (with
// keys recorded for that seed, or the recorded ones with waits where the player stands still).
// A win is reaching the goal without a respawn.
class FairnessCheck {
public:
    struct Options {
        int shifts = 3;         // each event is moved alone by -shifts..+shifts ticks
        int jitter = 2;         // every event moved by up to this many ticks at once...
        int jitterRuns = 50;    // ...this many times
        unsigned seeds = 10;    // seeds 1..seeds are tried
        int longestWait = 360;  // ticks a player may wait at a stop (a whole turn of a float)
        int ticksAfterKeys = 1200;
        unsigned recordingSeed = 1;
    };

    struct EventWindow {
        InputScript::Event event;
        // The shifts, in ticks, between which every shift still wins (0 when only 0 does;
        // earliest > latest when even the recorded tick does not).
        int earliest = 0;
        int latest = 0;
        bool failsBothSides = false;
    };

    struct TrapPass {
        int line = 0;     // the line of the trap's section in the level file
        int64_t gap = 0;  // the fewest pixels between the player's box and the trap's, over the play
    };

    struct SeedResult {
        unsigned seed = 0;
        bool won = false;
        bool ownKeys = false;
        // Where the player waited and how long: (the tick of the recorded keys, ticks).
        std::vector<std::pair<int, int>> waits;
    };

    struct Report {
        bool won = false;
        int ticks = 0;
        std::vector<EventWindow> windows;
        int failingBothSides = 0;
        int jitterWins = 0;
        int jitterRuns = 0;
        std::vector<TrapPass> traps;
        int64_t closestPass = -1;  // -1 without traps
        std::vector<SeedResult> seeds;
    };

    // levelFile as the game names it ("level5.level"); ownKeys: keys recorded for other seeds.
    FairnessCheck(std::string levelFile, InputScript keys, std::map<unsigned, InputScript> ownKeys, Options options);
    ~FairnessCheck();

    // False when the level cannot be loaded.
    bool run(Report& report);

    // The fewest pixels between the player's box and the hazard box of the level's trap at that
    // index, as the trap stands in the state; 0 when they touch or overlap.
    static int64_t gapToTrap(const PlayState& state, const Level& level, size_t trap);

private:
    using Events = std::vector<InputScript::Event>;
    struct Outcome {
        bool won = false;
        bool lost = false;  // a respawn, or play left
        int ticks = 0;
    };

    // Plays the events from the state at that tick; stops at a respawn, the goal or the limit.
    // observe, when given, sees the state after every tick.
    Outcome playFrom(const PlayState& start, int tick, const Events& events, int lastTick,
                     std::vector<PlayState>* statesBefore = nullptr, std::vector<TrapPass>* passes = nullptr);
    PlayState startFor(unsigned seed);
    void measureWindows(const std::vector<PlayState>& recorded, Report& report);
    void measureJitter(Report& report);
    SeedResult tryWaiting(unsigned seed, const std::vector<PlayState>& recorded);
    int lastTickFor(const Events& events) const;

    std::string level;
    Events recordedEvents;
    std::map<unsigned, InputScript> seedKeys;
    Options options;
    SharedState shared;
    HeadlessPlay play{&shared};
    std::vector<int> trapLines;
};
