#pragma once
#include <memory>
#include <vector>

#include "graphics/Image.h"
#include "level/Level.h"
#include "objects/Movement.h"
#include "objects/Platform.h"
#include "objects/Player.h"
#include "objects/Trap.h"
#include "sound/irrKlang.h"

// Small worlds built in code, a recording sound engine, and readers for what an Image shows.
namespace worldtest {

class FakeSource : public irrklang::ISoundSource {
public:
    void setDefaultVolume(float value) override { volume = value; }
    float getDefaultVolume() const override { return volume; }
    void setDefaultMinDistance(float value) override { minDistance = value; }
    float getDefaultMinDistance() const override { return minDistance; }
    void grab() override { ++grabs; }
    bool drop() override {
        ++drops;
        return false;
    }

    float volume = 1.0f;
    float minDistance = 1.0f;
    int grabs = 0;
    int drops = 0;
};

struct Play {
    irrklang::ISoundSource* source;
    irrklang::vec3df position;
    bool looped;
    bool positioned;
};

// Records every play instead of making a sound.
class FakeEngine : public irrklang::ISoundEngine {
public:
    irrklang::ISoundSource* addSoundSourceFromFile(const char*, irrklang::E_STREAM_MODE, bool) override {
        return nullptr;
    }
    irrklang::ISound* play2D(irrklang::ISoundSource* source, bool looped, bool, bool, bool) override {
        plays.push_back(Play{source, irrklang::vec3df(), looped, false});
        return nullptr;
    }
    irrklang::ISound* play3D(irrklang::ISoundSource* source, irrklang::vec3df position, bool looped, bool, bool,
                             bool) override {
        plays.push_back(Play{source, position, looped, true});
        return nullptr;
    }
    void stopAllSounds() override {}
    void setListenerPosition(const irrklang::vec3df&, const irrklang::vec3df&, const irrklang::vec3df&,
                             const irrklang::vec3df&) override {}
    void grab() override {}
    bool drop() override { return false; }

    int playsOf(const irrklang::ISoundSource* source) const {
        int count = 0;
        for (const Play& play : plays) {
            count += play.source == source ? 1 : 0;
        }
        return count;
    }

    std::vector<Play> plays;
};

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

// One tick as the game runs it; true when the hazard test hits.
inline bool tick(const Level& level, Player& player) {
    applyTickMotion(level, player);
    return touchesHazard(level, player.box());
}

// The player's sounds go to a recorder, whatever the sound manager had.
inline void listen(Player& player, FakeEngine& engine, FakeSource& jump, FakeSource& land) {
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
