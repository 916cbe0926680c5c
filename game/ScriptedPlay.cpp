#include "game/ScriptedPlay.h"

#include <GL/freeglut.h>

#include "app/SharedState.h"
#include "game/Game.h"
#include "game/InputScript.h"
#include "objects/Player.h"

ScriptedPlay::Result ScriptedPlay::play(Game& game, const InputScript& script, int maxTicks,
                                        const std::function<void(const Tick&)>& trace) {
    Result result;
    const int level = game.levelsStarted();
    for (int tick = 1; tick <= maxTicks; ++tick) {
        script.apply(tick, game);
        const int spawned = game.playersSpawned();
        game.update(0);
        glClear(GL_COLOR_BUFFER_BIT);
        game.display();
        result.ticks = tick;
        if (game.levelsStarted() != level) {
            result.end = End::NextLevel;
            return result;
        }
        if (game.shared->state != CONTINUE) {
            result.end = game.shared->state == WIN ? End::Won : End::LeftPlay;
            return result;
        }
        const bool respawned = game.playersSpawned() != spawned;
        if (respawned) {
            ++result.respawns;
        }
        if (trace) {
            const Player& player = *game.player;
            trace(Tick{tick, player.x, player.y, player.velocityX, player.velocityY, player.grounded, respawned});
        }
    }
    result.end = End::OutOfTicks;
    return result;
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
