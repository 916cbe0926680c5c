#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/StateLoopIFC.h"
#include "core/Bounds.h"
#include "game/JumpGrace.h"
#include "game/PauseMenu.h"
#include "game/PlayEvents.h"
#include "game/PlayState.h"
#include "level/LevelWatch.h"

class Camera;
class EditRequests;
class FrozenFrame;
class Level;
class Player;
class ProgressFile;
class TextureManager;
class WubManager;
namespace irrklang {
class ISoundSource;
}

// The playing state: each tick runs the play step (the player's move, a respawn on a hazard,
// the goal test, the scenery) and turns what happened into sounds, the camera, the log and the
// next level or WIN. Owns the level, the player's drawable and the camera; the sounds belong
// to the sound manager. P pauses a level: ticks still come but nothing in it moves, its sounds
// hold, and a "PAUSED" sign with the pause menu covers the view, drawn again only when it changes.
class Game : public StateLoopIFC {
public:
    explicit Game(SharedState* shared);
    virtual ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Loads the level (from "data/"), spawns the player and sets CONTINUE; false when the
    // file cannot be opened, leaving the empty level in place.
    bool newGame(std::string fileName);
    // A run from the menu: the run's time and deaths start at 0 and the level takes its place in
    // the chain from the progress (the first, when it has none); then newGame.
    bool startRun(const std::string& fileName);
    // A run of one level file named by its path as it is (relative to the working folder, or
    // absolute), for authors: its goal leads on through "nextmap" in "data/" as usual, and
    // nothing of the run goes into the progress. While that level is played, saving its file or
    // a picture it names reloads it, the player staying where it stands when the place is still
    // free. False when the file cannot be opened.
    bool playLevelFile(const std::string& path);
    // While on, Escape in a playLevelFile run ends the program instead of going back to the
    // title menu; runs begun from the menu are not touched.
    void quitOnEscape(bool on) { escapeQuits = on; }

    // How a level played from the editor ends. A trial comes back to the editor (EDIT) on
    // Escape, F2 and at the goal; one from a chosen place (x, y, the player's top-left corner)
    // also at a hazard. Otherwise the level plays as a playLevelFile run does.
    struct EditorPlay {
        bool trial = false;
        bool fromPlace = false;
        int32_t x = 0;
        int32_t y = 0;
    };
    // Plays the level text (the editor's) in place of the file at path; false when the level
    // cannot be started, the play before it then gone.
    bool playEdited(const std::string& path, const std::string& text, EditorPlay how);
    // F2 while playing opens the level in the editor from then on; null, the default: F2 does nothing.
    void useEditor(EditRequests* editor) { editRequests = editor; }
    // Keeps the levels' progress there from now on: reached, finished, best times and deaths,
    // saved when a level is finished. Without it nothing is kept.
    void useProgress(ProgressFile* file) { progressFile = file; }

    void display() override;
    void update(int value) override;
    // Centres the view in the window; the arguments are not used.
    void reshape(int width, int height) override;
    void key(int key, int x, int y) override;
    void specialUp(int key, int x, int y) override;
    void specialDown(int key, int x, int y) override;
    void assumeControl(StateLoopIFC** active) override;
    // The view's size: the background picture's, or the window's for a level without one.
    int viewWidth() const override;
    int viewHeight() const override;
    // The view's place in the window: nothing of the level is drawn beside it.
    std::optional<Bounds> pictureBox() const override;
    // A hidden or iconified window pauses the level until the player resumes it.
    void windowHidden() override;
    // While paused, the pointer highlights and presses the pause menu's choices.
    void mouseButton(int button, int buttonState, int x, int y) override;
    void mouseMove(int x, int y) override;

    // Freezes or resumes the level and its sounds. Arrows pressed or released meanwhile take
    // effect on resuming.
    void setPaused(bool on);
    bool isPaused() const { return paused; }

    // How many levels have started and how many times a player was spawned, for replays and
    // tools that must tell a new level or player from the old one.
    int levelsStarted() const { return startedLevels; }
    int playersSpawned() const { return spawnedPlayers; }
    // Ticks played in this level since its start (pauses excluded), and in the run; the run's deaths.
    int64_t levelTicks() const { return ticksInLevel; }
    int64_t runTicks() const { return ticksInRun; }
    int64_t runDeaths() const { return deathsInRun; }

    // The play as it stands, and what it reads: for tools that copy and compare plays.
    const PlayState& playState() const { return play; }
    const PlayWorld& playWorld() const { return world; }

    int originX = 0;
    int originY = 0;
    Level* level = nullptr;
    Player* player = nullptr;
    Camera* camera = nullptr;
    irrklang::ISoundSource* winSound = nullptr;
    // Asked for with the first level that has checkpoints; null before, or without the file.
    irrklang::ISoundSource* checkpointSound = nullptr;
    TextureManager* screen = nullptr;
    WubManager* soundManager = nullptr;

private:
    int startedLevels = 0;
    int spawnedPlayers = 0;
    bool paused = false;
    bool arrowsMovedWhilePaused = false;
    FrozenFrame* still = nullptr;
    PlayWorld world;
    PlayState play;
    PauseMenu pauseMenu;
    JumpGrace grace;
    ProgressFile* progressFile = nullptr;
    std::string levelFile;
    // The file the level came from, as it was opened.
    std::string levelPath;
    EditRequests* editRequests = nullptr;
    EditorPlay editorPlay;
    bool escapeQuits = false;
    // A run of an author's own level file keeps no progress.
    bool authoring = false;
    // The author's level while it is played; nothing once play has moved on.
    LevelWatch ownLevel;
    int levelOrder = 1;
    int64_t ticksInLevel = 0;
    int64_t ticksInRun = 0;
    int64_t deathsInRun = 0;

    // A new drawable for the player, and the play's player at the level's start.
    // newGame with the file's path: the path to read and the name the progress knows it by.
    // With text, the level is built from it instead of the file, and with start the player
    // starts there.
    bool startLevel(const std::string& path, const std::string& name, const std::string* text = nullptr,
                    const EditorPlay* start = nullptr);
    void reloadOwnLevel();
    void takeLevel(Level* fresh);
    void backToEditor();
    void openEditor();
    ProgressFile* keptProgress() const { return authoring ? nullptr : progressFile; }
    void requestCheckpointSound();
    void makePlayer();
    void spawnPlayer();
    void followPlayer();
    void reachGoal();
    void playTeleport();
    void playSounds(const PlayEvents& events) const;
    // Puts the play on show in the player's drawable and the level's objects.
    void showPlay();
    void drawScene(Bounds view);
    void leaveForMenu();
    void restartLevel();
    void choose(PauseMenu::Choice choice);
    void countTick(const PlayEvents& events);
    void noteReached();
    void drawTimer(Bounds onScreen) const;
    // What a paused level's picture is drawn from; while it stays as it was at the last frame,
    // no frame is drawn.
    std::vector<int64_t> pausedLook() const;

    std::vector<int64_t> drawnLook;
    bool redrawWanted = true;
};
