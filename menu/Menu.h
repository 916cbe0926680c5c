#pragma once
#include <cstdint>
#include <vector>

#include "app/StateLoopIFC.h"
#include "menu/LevelSelect.h"

class Image;
class ProgressFile;
class TextureManager;
struct MenuButton;

// The title menu: a centred picture with start and quit buttons that highlight under the
// pointer. A left press on start sets NEWGAME, on quit QUIT (quit wins where both are hit).
// Up or Left highlights start, Down or Right quit; Enter or Space presses the highlighted button
// (start when neither is). Owns its pictures and buttons; their textures stay with the texture
// manager. Once a level has been finished (see useProgress) two small buttons join them above
// start: Continue starts the furthest level reached, Levels (or the L key) opens the list of
// levels reached, where Enter, Space or a click starts one and Escape comes back. The menu
// stands still: a tick asks for a frame only when something on show changed since the last.
class Menu : public StateLoopIFC {
public:
    explicit Menu(SharedState* shared);
    virtual ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    void display() override;
    void update(int value) override;
    void mouseButton(int button, int buttonState, int x, int y) override;
    void mouseMove(int x, int y) override;
    // Lays the menu out for the texture manager's current window size; the arguments are not used.
    void reshape(int width, int height) override;
    // Also starts the title music when the game folder has it.
    void assumeControl(StateLoopIFC** active) override;
    void key(int key, int x, int y) override;
    void specialDown(int key, int x, int y) override;
    int viewWidth() const override;
    int viewHeight() const override;

    // The progress that decides whether Continue and Levels are offered; none by default.
    void useProgress(const ProgressFile* file) { progressFile = file; }
    // The win screen shows the run's time (in ticks) and deaths from now on.
    void showRun(int64_t ticks, int64_t deaths);
    bool levelsShown() const { return levelsOpen; }

    int backgroundX = 0;
    int backgroundY = 0;
    Image* background = nullptr;
    MenuButton* startButton = nullptr;
    MenuButton* quitButton = nullptr;
    TextureManager* screen = nullptr;

    MenuButton* continueButton = nullptr;
    MenuButton* levelsButton = nullptr;

private:
    void playTitleMusic();
    bool hasProgress() const;
    // Makes the progress buttons when they are first shown, and lays them out above start.
    void placeProgressButtons();
    void continueGame();
    void openLevels();
    void startLevel(const std::string& file);
    void levelsKey(int code);
    void stepHighlight(bool forward);
    Bounds layoutBox() const;
    void drawRun() const;
    // Everything the picture is drawn from: while it stays as it was at the last frame, no
    // frame is drawn.
    std::vector<int64_t> look() const;

    const ProgressFile* progressFile = nullptr;
    LevelSelect levels;
    bool levelsOpen = false;
    bool runShown = false;
    int64_t runTicks = 0;
    int64_t runDeaths = 0;
    std::vector<int64_t> drawnLook;
    bool redrawWanted = true;
};
