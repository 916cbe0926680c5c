#pragma once
#include <memory>
#include <vector>

#include "graphics/Image.h"
#include "level/Level.h"
#include "level/SceneryState.h"
#include "objects/Movement.h"
#include "objects/Platform.h"
#include "objects/Player.h"
#include "objects/Trap.h"
#include "sound/irrKlang.h"
#include "support/RecordingSoundEngine.h"

// The hazard test with every trap where its object stands, as a world built in code places them.
inline bool touchesHazard(const Level& level, Bounds box) {
    return touchesHazard(level, sceneryOf(level).traps, box);
}

// Small worlds built in code, a recording sound engine, and readers for what an Image shows.
namespace worldtest {

using testsupport::FakeSoundSource;
using testsupport::RecordingSoundEngine;

inline Platform* addPlatform(Level& level, int x, int y, int w, int h) {
    Platform* platform = new Platform();
    platform->setX(x);
    platform->setY(y);
    platform->width = w;
    platform->height = h;
    level.platforms.push_back(platform);
    return platform;
}

// A trap without float at (x, y) with the given box; placed without consuming its float.
inline Trap* addTrap(Level& level, int x, int y, int w, int h) {
    Trap* trap = new Trap();
    trap->setX(x);
    trap->setY(y);
    trap->width = w;
    trap->height = h;
    level.traps.push_back(trap);
    return trap;
}

// The game's player: sprite set up (34 x 46 box), placed by direct field writes.
inline std::unique_ptr<Player> makePlayer(int x, int y) {
    auto player = std::make_unique<Player>("sprites/brisel.png");
    player->setupSprite();
    player->x = x;
    player->y = y;
    return player;
}

// The player's part of a tick as the game runs it, with the landing heard where the game plays
// it; true when the hazard test hits.
inline bool tick(const Level& level, Player& player) {
    PlayerBody body = player.body();
    const bool landed = applyTickMotion(level, body);
    player.show(body);
    if (landed) {
        player.playAt(player.landSound, body.soundPosition());
    }
    return touchesHazard(level, player.box());
}

// One tick of the pose's animation, as the play step runs it.
inline void advancePose(Player& player) {
    PlayerBody body = player.body();
    body.advancePose();
    player.show(body);
}

// The grounded state machine, with the landing heard as the game plays it.
inline void touchGround(Player& player, bool onGround) {
    PlayerBody body = player.body();
    const bool touchdown = body.touchGround(onGround);
    player.show(body);
    if (touchdown) {
        player.playAt(player.landSound, body.soundPosition());
    }
}

// The jump as the game makes it once it has checked the footing, with its sound.
inline void jump(Player& player) {
    PlayerBody body = player.body();
    body.jump();
    player.show(body);
    player.playAt(player.jumpSound, body.soundPosition());
}

// The player's sounds go to a recorder, whatever the sound manager had.
inline void listen(Player& player, RecordingSoundEngine& engine, FakeSoundSource& jump, FakeSoundSource& land) {
    player.soundEngine = &engine;
    player.jumpSound = &jump;
    player.landSound = &land;
}

inline int shownColumn(const Image& image) {
    return image.frameCounter / static_cast<int>(image.ticksPerFrame) + 1;
}

inline int shownRow(const Image& image) {
    return image.rowCounter / static_cast<int>(image.ticksPerFrame) + 1;
}

}  // namespace worldtest
