#include "game/HeadlessPlay.h"

#include <GL/freeglut.h>

#include "core/KeyCodes.h"
#include "game/PlayStep.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "level/Level.h"
#include "objects/Player.h"
#include "sound/WubManager.h"

HeadlessPlay::HeadlessPlay(SharedState* sharedState) {
    shared = sharedState;
    // As in the game, the sound manager starts before any level is read, so nothing it does on
    // starting falls between a seed and the level's random phases.
    WubManager::instance();
}

HeadlessPlay::~HeadlessPlay() = default;

std::string HeadlessPlay::levelPath(const std::string& fileName) {
    return !fileName.empty() && fileName[0] == '/' ? fileName : Level::pathInData(fileName);
}

bool HeadlessPlay::load(const std::string& fileName) {
    TextureManager* textures = TextureManager::instance();
    textures->readSizesOnly(true);
    loaded = std::make_unique<Level>();
    const bool opened = loaded->loadFromPath(levelPath(fileName));
    Image sheet(kPlayerSprite);
    textures->readSizesOnly(false);
    Trotling::cutSheet(sheet);
    playWorld = PlayWorld{loaded.get(), Trotling::newcomerOn(sheet)};
    play = startPlay(playWorld, HeldArrows{});
    shared->left = false;
    shared->right = false;
    events = PlayEvents();
    ended = End::Playing;
    shared->state = CONTINUE;
    return opened;
}

void HeadlessPlay::restore(const PlayState& saved) {
    play = saved;
    shared->left = saved.arrows.left;
    shared->right = saved.arrows.right;
    ended = End::Playing;
    shared->state = CONTINUE;
}

void HeadlessPlay::update(int) {
    if (ended != End::Playing || loaded == nullptr) {
        return;
    }
    events = stepPlay(playWorld, play);
    if (events.has(PlayEvent::Kind::ReachedGoal)) {
        ended = End::ReachedGoal;
    }
}

void HeadlessPlay::key(int key, int, int) {
    if (ended != End::Playing || loaded == nullptr) {
        return;
    }
    switch (key & 0xFF) {
    case keys::escape:
        ended = End::LeftPlay;
        shared->state = MENU;
        break;
    case keys::space:
        pressJump(playWorld, play);
        break;
    default:
        break;
    }
}

void HeadlessPlay::specialDown(int key, int x, int y) {
    StateLoopIFC::specialDown(key, x, y);
    if (key == GLUT_KEY_LEFT || key == GLUT_KEY_RIGHT) {
        pressArrow(play, key == GLUT_KEY_RIGHT);
    }
}

void HeadlessPlay::specialUp(int key, int x, int y) {
    StateLoopIFC::specialUp(key, x, y);
    if (key == GLUT_KEY_LEFT || key == GLUT_KEY_RIGHT) {
        releaseArrow(play, key == GLUT_KEY_RIGHT);
    }
}
