#pragma once
#include <functional>

class Game;
class HeadlessPlay;
class InputScript;

// Plays a level with an input script, tick by tick, as the levels' replays and the level
// authors' tools need: through the game (one update and one display pass per tick; needs a
// current GL context) or through the play step alone (no window at all).
struct ScriptedPlay {
    enum class End { NextLevel, Won, LeftPlay, OutOfTicks };

    struct Tick {
        int tick = 0;
        int x = 0;
        int y = 0;
        int velocityX = 0;
        int velocityY = 0;
        bool grounded = false;
        bool respawned = false;
    };

    struct Result {
        End end = End::OutOfTicks;
        int ticks = 0;
        int respawns = 0;
    };

    // Runs from tick 1 until the level changes, the game leaves play (WIN, MENU) or maxTicks
    // have run. trace, when given, sees the player after every tick.
    static Result play(Game& game, const InputScript& script, int maxTicks,
                       const std::function<void(const Tick&)>& trace = {});
    // The same without a window; the goal ends play as Won when the level is the last
    // ("finish"), as NextLevel otherwise.
    static Result play(HeadlessPlay& headless, const InputScript& script, int maxTicks,
                       const std::function<void(const Tick&)>& trace = {});

    // Lets go of every arrow still held, so the next level's script starts from no keys.
    static void releaseArrows(Game& game);
};
