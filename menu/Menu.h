#pragma once
#include "app/StateLoopIFC.h"

class Image;
class TextureManager;
struct MenuButton;

// The title menu: a centred picture with start and quit buttons that highlight under the
// pointer. A left press on start sets NEWGAME, on quit QUIT (quit wins where both are hit).
// Up or Left highlights start, Down or Right quit; Enter or Space presses the highlighted button
// (start when neither is). Owns its pictures and buttons; their textures stay with the texture
// manager.
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

    int backgroundX = 0;
    int backgroundY = 0;
    Image* background = nullptr;
    MenuButton* startButton = nullptr;
    MenuButton* quitButton = nullptr;
    TextureManager* screen = nullptr;

private:
    void playTitleMusic();
};
