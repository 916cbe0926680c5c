#include "game/ScriptedPlay.h"

#include <GL/freeglut.h>

#include "app/SharedState.h"
#include "core/GameUnits.h"
#include "game/Game.h"
#include "game/HeadlessPlay.h"
#include "game/InputScript.h"
#include "level/Level.h"
#include "objects/Player.h"

namespace {

// What the replay loop needs of a play, through the game or without a window.
struct GameRun {
    Game& game;
    int level = game.levelsStarted();

    void tick() {
        game.update(0);
        glClear(GL_COLOR_BUFFER_BIT);
        game.display();
    }
    int spawns() const { return game.playersSpawned(); }
    bool levelChanged() const { return game.levelsStarted() != level; }
    // The end once play has left the level's state, or OutOfTicks while it goes on.
    ScriptedPlay::End end() const {
        const int state = game.shared->state;
        if (state == CONTINUE) {
            return ScriptedPlay::End::OutOfTicks;
        }
        return state == WIN ? ScriptedPlay::End::Won : ScriptedPlay::End::LeftPlay;
    }
    const PlayerBody& player() const { return game.playState().player; }
};

struct HeadlessRun {
    HeadlessPlay& headless;
    int respawns = 0;

    void tick() {
        headless.update(0);
        respawns += headless.lastEvents().has(PlayEvent::Kind::Respawned) ? 1 : 0;
    }
    int spawns() const { return respawns; }
    bool levelChanged() const {
        return headless.end() == HeadlessPlay::End::ReachedGoal && headless.level().nextMap != units::kLastLevelMark;
    }
    ScriptedPlay::End end() const {
        switch (headless.end()) {
        case HeadlessPlay::End::ReachedGoal:
            return ScriptedPlay::End::Won;
        case HeadlessPlay::End::LeftPlay:
            return ScriptedPlay::End::LeftPlay;
        case HeadlessPlay::End::Playing:
            break;
        }
        return ScriptedPlay::End::OutOfTicks;
    }
    const PlayerBody& player() const { return headless.state().player; }
};

template <typename Run>
ScriptedPlay::Result replay(Run run, StateLoopIFC& state, const InputScript& script, int maxTicks,
                            const std::function<void(const ScriptedPlay::Tick&)>& trace) {
    ScriptedPlay::Result result;
    for (int tick = 1; tick <= maxTicks; ++tick) {
        script.apply(tick, state);
        const int spawned = run.spawns();
        run.tick();
        result.ticks = tick;
        if (run.levelChanged()) {
            result.end = ScriptedPlay::End::NextLevel;
            return result;
        }
        if (run.end() != ScriptedPlay::End::OutOfTicks) {
            result.end = run.end();
            return result;
        }
        const bool respawned = run.spawns() != spawned;
        if (respawned) {
            ++result.respawns;
        }
        if (trace) {
            const PlayerBody& player = run.player();
            trace(ScriptedPlay::Tick{tick, player.x, player.y, player.velocityX, player.velocityY, player.grounded,
                                     respawned});
        }
    }
    result.end = ScriptedPlay::End::OutOfTicks;
    return result;
}

}  // namespace

ScriptedPlay::Result ScriptedPlay::play(Game& game, const InputScript& script, int maxTicks,
                                        const std::function<void(const Tick&)>& trace) {
    return replay(GameRun{game}, game, script, maxTicks, trace);
}

ScriptedPlay::Result ScriptedPlay::play(HeadlessPlay& headless, const InputScript& script, int maxTicks,
                                        const std::function<void(const Tick&)>& trace) {
    return replay(HeadlessRun{headless}, headless, script, maxTicks, trace);
}

void ScriptedPlay::releaseArrows(Game& game) {
    SharedState& shared = *game.shared;
    if (shared.left) {
        game.specialUp(GLUT_KEY_LEFT, 0, 0);
    }
    if (shared.right) {
        game.specialUp(GLUT_KEY_RIGHT, 0, 0);
    }
    if (shared.up) {
        game.specialUp(GLUT_KEY_UP, 0, 0);
    }
    if (shared.down) {
        game.specialUp(GLUT_KEY_DOWN, 0, 0);
    }
}
