#include "game/Game.h"

#include <GL/freeglut.h>

#include <iostream>

#include "app/FrameRequest.h"
#include "app/ScreenMode.h"
#include "core/GameUnits.h"
#include "core/KeyCodes.h"
#include "core/SaturatingMath.h"
#include "game/Camera.h"
#include "game/EditRequests.h"
#include "game/FrozenFrame.h"
#include "game/PauseOverlay.h"
#include "game/PixelText.h"
#include "game/PlayOptions.h"
#include "game/PlayStep.h"
#include "game/ProgressFile.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "level/Level.h"
#include "objects/Movement.h"
#include "objects/Player.h"
#include "sound/MusicPlayer.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {

const char* const winSoundFile = "sounds/win.wav";
const float winVolume = 0.3f;
const char* const checkpointSoundFile = "sounds/checkpoint.wav";
const float checkpointVolume = 0.3f;
const int pauseKeyShifted = 'P';
const int timerScale = 2;
const int timerMargin = 8;  // logical pixels from the view's top-right corner

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

std::optional<Bounds> Game::pictureBox() const {
    return Bounds{originX, originY, camera->width, camera->height};
}

bool Game::newGame(std::string fileName) {
    ownLevel.stop();
    return startLevel(Level::pathInData(fileName), fileName);
}

bool Game::startLevel(const std::string& path, const std::string& name, const std::string* text,
                      const EditorPlay* start) {
    delete level;
    level = nullptr;
    level = new Level();
    world.level = level;
    if (text != nullptr) {
        level->loadFromText(*text);
    } else if (!level->loadFromPath(path)) {
        play.scenery = sceneryOf(*level);
        return false;
    }
    if (start != nullptr) {
        level->spawnX = start->x;
        level->spawnY = start->y;
    }
    camera->x = 0;
    camera->y = 0;
    camera->width = viewWidth();
    camera->height = viewHeight();
    ++startedLevels;
    if (level->music.empty()) {
        MusicPlayer::instance()->stop();
    } else {
        MusicPlayer::instance()->fadeIn(level->music);
    }
    requestCheckpointSound();
    // The arrows may have gone down before the level, in the menu or the level before it.
    makePlayer();
    play = startPlay(world, HeldArrows{shared->left, shared->right, play.arrows.lastRight});
    std::cout << "brisel x " << play.player.x << " y " << play.player.y << "\n";
    followPlayer();
    showPlay();
    shared->state = CONTINUE;
    levelFile = name;
    levelPath = path;
    ticksInLevel = 0;
    grace.reset();
    noteReached();
    return true;
}

bool Game::startRun(const std::string& fileName) {
    ticksInRun = 0;
    deathsInRun = 0;
    authoring = false;
    editorPlay = EditorPlay();
    const LevelRecord* known = progressFile != nullptr ? progressFile->progress().find(fileName) : nullptr;
    levelOrder = known != nullptr && known->order > 0 ? known->order : 1;
    return newGame(fileName);
}

bool Game::playLevelFile(const std::string& path) {
    ticksInRun = 0;
    deathsInRun = 0;
    authoring = true;
    editorPlay = EditorPlay();
    levelOrder = 1;
    ownLevel.stop();
    if (!startLevel(path, path)) {
        return false;
    }
    ownLevel.watch(path);
    return true;
}

// A save that leaves the level unplayable is told and the level in play stays.
void Game::reloadOwnLevel() {
    const std::string path = ownLevel.path();
    // A picture saved meanwhile shows even while the level's text is in the middle of a change.
    for (const std::string& picture : ownLevel.changedPictures()) {
        screen->refresh(picture);
    }
    const std::string why = ownLevel.whyUnplayable();
    ownLevel.take();
    if (!why.empty()) {
        std::cout << "[LEVEL] not reloaded " << path << ": " << why << "\n";
        return;
    }
    // The traps' loops start again with the new level's traps.
    if (soundManager->engine != nullptr) {
        soundManager->engine->stopAllSounds();
    }
    Level* fresh = new Level();
    if (!fresh->loadFromPath(path)) {
        delete fresh;
        std::cout << "[LEVEL] not reloaded " << path << ": the file went away while it was read\n";
        return;
    }
    const PlayerBody before = play.player;
    takeLevel(fresh);
    if (collides(*level, before.box())) {
        std::cout << "[LEVEL] reloaded " << path << ": the player's place is taken, back to the start\n";
    } else {
        play.player = before;
        std::cout << "[LEVEL] reloaded " << path << "\n";
    }
    followPlayer();
    showPlay();
}

// The level in play gives way to one just loaded; the time in the level runs on.
void Game::takeLevel(Level* fresh) {
    const std::string music = level != nullptr ? level->music : std::string();
    delete level;
    level = fresh;
    world.level = level;
    camera->width = viewWidth();
    camera->height = viewHeight();
    // A new background may change the view's size, and with it the window's scale.
    ScreenMode::instance()->refresh();
    reshape(screen->screenWidth, screen->screenHeight);
    ++startedLevels;
    if (level->music != music) {
        if (level->music.empty()) {
            MusicPlayer::instance()->stop();
        } else {
            MusicPlayer::instance()->fadeIn(level->music);
        }
    }
    requestCheckpointSound();
    makePlayer();
    play = startPlay(world, play.arrows);
    grace.reset();
}

bool Game::playEdited(const std::string& path, const std::string& text, EditorPlay how) {
    ticksInRun = 0;
    deathsInRun = 0;
    authoring = true;
    levelOrder = 1;
    editorPlay = how;
    // The editor holds the level now: a save of the file is no reason to reload it.
    ownLevel.stop();
    std::cout << "[EDITOR] playing " << path;
    if (how.fromPlace) {
        std::cout << " from x " << how.x << " y " << how.y;
    }
    std::cout << "\n";
    return startLevel(path, path, &text, how.fromPlace ? &how : nullptr);
}

void Game::noteReached() {
    if (ProgressFile* progress = keptProgress()) {
        LevelRecord& record = progress->progress().level(levelFile);
        record.name = level->name;
        record.order = levelOrder;
    }
}

// The checkpoint's sound is asked for once, by the first level that has a checkpoint.
void Game::requestCheckpointSound() {
    if (level->checkpoints.empty() || checkpointSound != nullptr) {
        return;
    }
    checkpointSound = soundManager->requestSoundSource(checkpointSoundFile);
    if (checkpointSound != nullptr) {
        checkpointSound->setDefaultVolume(checkpointVolume);
    }
}

void Game::makePlayer() {
    delete player;
    player = nullptr;
    player = new Player(kPlayerSprite);
    ++spawnedPlayers;
    player->setupSprite();
    world.newcomer = player->body();
}

// The play has already put the player back at the start; the drawable is made anew.
void Game::spawnPlayer() {
    makePlayer();
    std::cout << "brisel x " << play.player.x << " y " << play.player.y << "\n";
    followPlayer();
}

void Game::followPlayer() {
    camera->centerOn(play.player.box());
    camera->clampToLevel(level->width, level->height);
}

void Game::playTeleport() {
    player->playAt(player->teleportSound, play.player.soundPosition());
}

void Game::update(int) {
    // A tick due in the same event pass as Escape must not undo it (a goal that loads the next
    // level sets CONTINUE again), so only a game still in play moves.
    if (shared->state == CONTINUE && level != nullptr && player != nullptr && !paused) {
        MusicPlayer::instance()->advanceFade(units::kTickMilliseconds);
        const PlayEvents events = stepPlay(world, play);
        countTick(events);
        playSounds(events);
        if (PlayOptions::instance().jumpGrace) {
            playSounds(grace.afterTick(world, play, events));
        }
        if (editorPlay.trial && (events.has(PlayEvent::Kind::ReachedGoal) ||
                                 (editorPlay.fromPlace && events.has(PlayEvent::Kind::Respawned)))) {
            backToEditor();
        } else if (events.has(PlayEvent::Kind::Respawned)) {
            spawnPlayer();
            playTeleport();
        } else {
            followPlayer();
            if (events.has(PlayEvent::Kind::ReachedGoal)) {
                reachGoal();
                if (ProgressFile* progress = keptProgress()) {
                    progress->save();
                }
            }
        }
        showPlay();
        if (ownLevel.tick()) {
            reloadOwnLevel();
        }
    }
    // A level in play moves every tick; a paused one stands still until its menu changes.
    if (!paused || redrawWanted || pausedLook() != drawnLook) {
        FrameRequest::post();
    }
}

std::vector<int64_t> Game::pausedLook() const {
    return {paused,        static_cast<int64_t>(pauseMenu.highlighted()),
            originX,       originY,
            camera->x,     camera->y,
            camera->width, camera->height,
            ticksInLevel,  startedLevels,
            spawnedPlayers};
}

// The level's time runs from its start to its goal; the finish and the deaths go to the progress.
void Game::countTick(const PlayEvents& events) {
    ++ticksInLevel;
    ++ticksInRun;
    if (events.has(PlayEvent::Kind::Respawned)) {
        ++deathsInRun;
        if (ProgressFile* progress = keptProgress()) {
            progress->progress().died(levelFile);
        }
    }
    if (events.has(PlayEvent::Kind::ReachedGoal)) {
        if (ProgressFile* progress = keptProgress()) {
            progress->progress().finish(levelFile, ticksInLevel);
        }
        ++levelOrder;
    }
}

// The sounds of the player's own moves, each where the player then was.
void Game::playSounds(const PlayEvents& events) const {
    for (const PlayEvent& event : events) {
        if (event.kind == PlayEvent::Kind::Jumped) {
            player->playAt(player->jumpSound, soundPositionOf(event.player));
        } else if (event.kind == PlayEvent::Kind::Landed) {
            player->playAt(player->landSound, soundPositionOf(event.player));
        } else if (event.kind == PlayEvent::Kind::ReachedCheckpoint) {
            player->playAt(checkpointSound, soundPositionOf(event.player));
        }
    }
}

void Game::reachGoal() {
    irrklang::ISoundEngine* engine = soundManager->engine;
    MusicPlayer::instance()->stop();
    if (engine != nullptr) {
        engine->stopAllSounds();
        engine->play2D(winSound, false, false, false, false);
    }
    const std::string next = level->nextMap;
    if (next == units::kLastLevelMark) {
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
        return;
    }
    // The new level's first frame is this tick's.
    advancePictures(world, play);
}

void Game::showPlay() {
    if (player != nullptr) {
        player->show(play.player);
    }
    if (level != nullptr) {
        level->show(play.scenery);
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
        PauseMenu::Shown shown;
        shown.levelName = level != nullptr ? level->name : std::string();
        shown.ticks = ticksInLevel;
        const LevelRecord* record = progressFile != nullptr ? progressFile->progress().find(levelFile) : nullptr;
        shown.bestTicks = record != nullptr ? record->bestTicks : -1;
        pauseMenu.draw(onScreen, shown);
    } else if (PlayOptions::instance().showTimer && player != nullptr) {
        drawTimer(onScreen);
    }
    mode->unclip();
    drawnLook = pausedLook();
    redrawWanted = false;
}

void Game::drawTimer(Bounds onScreen) const {
    const std::string time = pixeltext::clock(ticksInLevel, units::kTickMilliseconds);
    const int64_t left = int64_t{onScreen.x} + onScreen.w - timerMargin - pixeltext::width(time, timerScale);
    pixeltext::draw(time, left, int64_t{onScreen.y} + timerMargin, timerScale, {1.0f, 1.0f, 1.0f, 1.0f},
                    {0.0f, 0.0f, 0.0f, 0.8f});
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
    redrawWanted = true;
}

void Game::key(int key, int, int) {
    const int code = key & 0xFF;
    if (paused &&
        (code == keys::enter || (code == keys::space && pauseMenu.highlighted() != PauseMenu::Choice::None))) {
        // Enter with nothing highlighted resumes; Space only presses a highlighted choice.
        choose(pauseMenu.highlighted() == PauseMenu::Choice::None ? PauseMenu::Choice::Resume
                                                                  : pauseMenu.highlighted());
        return;
    }
    switch (code) {
    case keys::escape:
        if (editorPlay.trial) {
            backToEditor();
            break;
        }
        leaveForMenu();
        // Only the author's own run ends the program; a game begun later from the menu does not.
        if (escapeQuits && authoring) {
            shared->state = QUIT;
        }
        break;
    case keys::pause:
    case pauseKeyShifted:
        if (player != nullptr && level != nullptr) {
            setPaused(!paused);
        }
        break;
    case keys::space:
        if (!paused && player != nullptr && level != nullptr) {
            playSounds(PlayOptions::instance().jumpGrace ? grace.press(world, play) : pressJump(world, play));
            showPlay();
        }
        break;
    default:
        break;
    }
}

void Game::leaveForMenu() {
    shared->state = MENU;
    MusicPlayer::instance()->stop();
    if (soundManager->engine != nullptr) {
        soundManager->engine->stopAllSounds();
    }
    setPaused(false);
}

// The editor keeps its level as it was; the play's sounds end here.
void Game::backToEditor() {
    leaveForMenu();
    shared->state = EDIT;
}

void Game::openEditor() {
    if (editorPlay.trial) {
        backToEditor();
        return;
    }
    if (editRequests == nullptr || level == nullptr || levelPath.empty()) {
        return;
    }
    editRequests->editLevel(levelPath, camera->view());
    if (shared->state == EDIT) {
        const int32_t editing = shared->state;
        leaveForMenu();
        shared->state = editing;
    }
}

// Back to the level's start as it was loaded, the time at 0.
void Game::restartLevel() {
    setPaused(false);
    play = startPlay(world, play.arrows);
    ticksInLevel = 0;
    grace.reset();
    spawnPlayer();
    showPlay();
}

void Game::choose(PauseMenu::Choice choice) {
    switch (choice) {
    case PauseMenu::Choice::Resume:
        setPaused(false);
        break;
    case PauseMenu::Choice::Restart:
        restartLevel();
        break;
    case PauseMenu::Choice::Title:
        leaveForMenu();
        break;
    case PauseMenu::Choice::None:
        break;
    }
}

void Game::mouseMove(int x, int y) {
    if (paused) {
        pauseMenu.point(Bounds{originX, originY, viewWidth(), viewHeight()}, x, y);
    }
}

void Game::mouseButton(int button, int buttonState, int x, int y) {
    if (!paused || button != GLUT_LEFT_BUTTON || buttonState != GLUT_DOWN) {
        return;
    }
    choose(pauseMenu.point(Bounds{originX, originY, viewWidth(), viewHeight()}, x, y));
}

void Game::specialDown(int key, int x, int y) {
    StateLoopIFC::specialDown(key, x, y);
    if (key == GLUT_KEY_F2) {
        openEditor();
        return;
    }
    if (paused && (key == GLUT_KEY_UP || key == GLUT_KEY_DOWN)) {
        pauseMenu.step(key == GLUT_KEY_DOWN);
        return;
    }
    if (key != GLUT_KEY_LEFT && key != GLUT_KEY_RIGHT) {
        return;
    }
    const bool right = key == GLUT_KEY_RIGHT;
    arrowsMovedWhilePaused = arrowsMovedWhilePaused || paused;
    if (player == nullptr || paused) {
        holdArrow(play, right, true);
        return;
    }
    pressArrow(play, right);
    showPlay();
}

void Game::specialUp(int key, int x, int y) {
    StateLoopIFC::specialUp(key, x, y);
    if (key != GLUT_KEY_LEFT && key != GLUT_KEY_RIGHT) {
        return;
    }
    const bool right = key == GLUT_KEY_RIGHT;
    if (player == nullptr || paused) {
        arrowsMovedWhilePaused = arrowsMovedWhilePaused || player != nullptr;
        holdArrow(play, right, false);
        return;
    }
    releaseArrow(play, right);
    showPlay();
}

// The one place a level is frozen and thawed, sounds included.
void Game::setPaused(bool on) {
    if (on == paused) {
        return;
    }
    paused = on;
    still->release();
    pauseMenu.open();
    if (soundManager->engine != nullptr) {
        soundManager->engine->setAllSoundsPaused(on);
    }
    if (on) {
        MusicPlayer::instance()->pause();
    } else {
        MusicPlayer::instance()->resume();
    }
    if (!paused && arrowsMovedWhilePaused && player != nullptr) {
        walkAsHeld(play);
        showPlay();
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
