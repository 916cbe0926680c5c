#include "game/Game.h"

#include <GL/freeglut.h>

#include <iostream>

#include "app/ScreenMode.h"
#include "core/KeyCodes.h"
#include "core/SaturatingMath.h"
#include "game/Camera.h"
#include "game/FrozenFrame.h"
#include "game/PauseOverlay.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "level/Level.h"
#include "objects/Movement.h"
#include "objects/Player.h"
#include "sound/MusicPlayer.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {

const char* const playerSprite = "sprites/brisel.png";
const char* const winSoundFile = "sounds/win.wav";
const char* const lastLevelMark = "finish";
const float winVolume = 0.3f;
const int walkRight = 15;
const int walkLeft = -15;
const int pauseKeyShifted = 'P';

}  // namespace

Game::Game(SharedState* sharedState) {
    shared = sharedState;
    screen = TextureManager::instance();
    soundManager = WubManager::instance();
    player = nullptr;
    level = nullptr;
    camera = new Camera();
    still = new FrozenFrame();
    winSound = soundManager->requestSoundSource(winSoundFile);
    if (winSound != nullptr) {
        winSound->setDefaultVolume(winVolume);
    }
}

Game::~Game() {
    delete player;
    delete level;
    delete camera;
    delete still;
}

int Game::viewWidth() const {
    return level != nullptr && level->background != nullptr ? level->background->width : screen->screenWidth;
}

int Game::viewHeight() const {
    return level != nullptr && level->background != nullptr ? level->background->height : screen->screenHeight;
}

bool Game::newGame(std::string fileName) {
    delete level;
    level = nullptr;
    level = new Level();
    if (!level->loadFromFile(fileName)) {
        return false;
    }
    camera->x = 0;
    camera->y = 0;
    camera->width = viewWidth();
    camera->height = viewHeight();
    ++startedLevels;
    if (level->music.empty()) {
        MusicPlayer::instance()->stop();
    } else {
        MusicPlayer::instance()->play(level->music);
    }
    spawnPlayer();
    shared->state = CONTINUE;
    return true;
}

void Game::spawnPlayer() {
    delete player;
    player = nullptr;
    player = new Player(playerSprite);
    ++spawnedPlayers;
    player->setupSprite();
    player->x = level->spawnX;
    player->y = level->spawnY;
    std::cout << "brisel x " << player->x << " y " << player->y << "\n";
    // The arrow flags outlive a player: a held arrow keeps walking after a respawn.
    if (shared->right) {
        walk(true);
    } else if (shared->left) {
        walk(false);
    }
    camera->centerOn(player->box());
    camera->clampToLevel(level->width, level->height);
}

void Game::playTeleport() {
    if (player->soundEngine != nullptr) {
        player->soundEngine->play3D(player->teleportSound, player->soundPosition(), false, false, false, false);
    }
}

void Game::update(int) {
    // A tick due in the same event pass as Escape must not undo it (a goal that loads the next
    // level sets CONTINUE again), so only a game still in play moves.
    if (shared->state == CONTINUE && level != nullptr && player != nullptr && !paused) {
        applyTickMotion(*level, *player);
        if (touchesHazard(*level, player->box())) {
            spawnPlayer();
            playTeleport();
        } else {
            camera->centerOn(player->box());
            camera->clampToLevel(level->width, level->height);
            checkGoal();
        }
    }
    glutPostRedisplay();
}

void Game::checkGoal() {
    const Bounds goalBox{level->goal.x, level->goal.y, level->goal.width, level->goal.height};
    if (!overlaps(player->box(), goalBox)) {
        return;
    }
    irrklang::ISoundEngine* engine = soundManager->engine;
    MusicPlayer::instance()->stop();
    if (engine != nullptr) {
        engine->stopAllSounds();
        engine->play2D(winSound, false, false, false, false);
    }
    const std::string next = level->nextMap;
    if (next == lastLevelMark) {
        shared->state = WIN;
        return;
    }
    // A next level that cannot be loaded is never played empty: back to the menu.
    if (!newGame(next)) {
        if (engine != nullptr) {
            engine->stopAllSounds();
        }
        shared->state = MENU;
        std::cout << ">MENU newGame failed.\n";
    }
}

void Game::display() {
    const Bounds view = camera->view();
    // Nothing of the level shows beside the view, wherever objects lie.
    const ScreenMode* mode = ScreenMode::instance();
    const Bounds windowBox = mode->windowBox(originX, originY, view.w, view.h);
    mode->clip(windowBox);
    const Bounds onScreen{originX, originY, view.w, view.h};
    if (paused && still->holds(windowBox)) {
        still->draw(onScreen);
    } else {
        drawScene(view);
        if (paused) {
            still->capture(windowBox);
        }
    }
    if (paused) {
        drawPauseOverlay(onScreen);
    }
    mode->unclip();
}

void Game::drawScene(Bounds view) {
    if (level != nullptr) {
        level->drawBack(view, originX, originY);
    }
    if (player != nullptr) {
        player->draw(saturateToInt32(int64_t{originX} - camera->x), saturateToInt32(int64_t{originY} - camera->y));
    }
    if (level != nullptr) {
        level->drawFront(view, originX, originY);
    }
}

void Game::reshape(int, int) {
    originX = screen->screenWidth / 2 - viewWidth() / 2;
    originY = screen->screenHeight / 2 - viewHeight() / 2;
}

void Game::key(int key, int, int) {
    switch (key & 0xFF) {
    case keys::escape:
        shared->state = MENU;
        MusicPlayer::instance()->stop();
        if (soundManager->engine != nullptr) {
            soundManager->engine->stopAllSounds();
        }
        setPaused(false);
        break;
    case keys::pause:
    case pauseKeyShifted:
        if (player != nullptr && level != nullptr) {
            setPaused(!paused);
        }
        break;
    case keys::space:
        if (!paused && player != nullptr && level != nullptr && collides(*level, player->probeVertical(1))) {
            player->jump();
        }
        break;
    default:
        break;
    }
}

void Game::specialDown(int key, int x, int y) {
    StateLoopIFC::specialDown(key, x, y);
    if (key == GLUT_KEY_LEFT || key == GLUT_KEY_RIGHT) {
        lastArrowRight = key == GLUT_KEY_RIGHT;
        arrowsMovedWhilePaused = arrowsMovedWhilePaused || paused;
    }
    if (player == nullptr || paused) {
        return;
    }
    if (key == GLUT_KEY_LEFT) {
        walk(false);
    } else if (key == GLUT_KEY_RIGHT) {
        walk(true);
    }
}

void Game::specialUp(int key, int x, int y) {
    StateLoopIFC::specialUp(key, x, y);
    if (player == nullptr || (key != GLUT_KEY_LEFT && key != GLUT_KEY_RIGHT)) {
        return;
    }
    if (paused) {
        arrowsMovedWhilePaused = true;
        return;
    }
    // Releasing one arrow hands the direction to the other if it is still held.
    const bool otherHeld = key == GLUT_KEY_LEFT ? shared->right : shared->left;
    if (otherHeld) {
        walk(key == GLUT_KEY_LEFT);
    } else {
        player->setWalkAcceleration(0);
    }
}

void Game::walk(bool right) {
    player->setFacing(right);
    player->setWalkAcceleration(right ? walkRight : walkLeft);
}

void Game::walkAsHeld() {
    if (shared->left && shared->right) {
        walk(lastArrowRight);
    } else if (shared->left || shared->right) {
        walk(shared->right);
    } else {
        player->setWalkAcceleration(0);
    }
}

// The one place a level is frozen and thawed, sounds included.
void Game::setPaused(bool on) {
    if (on == paused) {
        return;
    }
    paused = on;
    still->release();
    if (soundManager->engine != nullptr) {
        soundManager->engine->setAllSoundsPaused(on);
    }
    if (on) {
        MusicPlayer::instance()->pause();
    } else {
        MusicPlayer::instance()->resume();
    }
    if (!paused && arrowsMovedWhilePaused && player != nullptr) {
        walkAsHeld();
    }
    arrowsMovedWhilePaused = false;
}

void Game::windowHidden() {
    if (player != nullptr && level != nullptr) {
        setPaused(true);
    }
}

void Game::assumeControl(StateLoopIFC** active) {
    std::cout << "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    *active = this;
    ScreenMode::instance()->refresh();
    reshape(screen->screenWidth, screen->screenHeight);
}
