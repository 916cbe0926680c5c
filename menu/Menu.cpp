#include "menu/Menu.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "app/ScreenMode.h"
#include "core/KeyCodes.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "menu/MenuButton.h"
#include "sound/MusicPlayer.h"

namespace {

// The buttons' clickable rectangles and the offsets of their pictures from them, in pixels.
const int startHitWidth = 226;
const int startHitHeight = 82;
const int startPictureX = -74;
const int startPictureY = -78;
const double startHeightShare = 0.5;

const int quitHitWidth = 172;
const int quitHitHeight = 92;
const int quitPictureX = -64;
const int quitPictureY = -64;
const double quitHeightShare = 0.75;

const char* const titleMusic = "sounds/music_title.ogg";

void placeButton(MenuButton* button, int hitX, int hitY, int hitW, int hitH, int pictureX, int pictureY) {
    button->hitX = hitX;
    button->hitY = hitY;
    button->hitW = hitW;
    button->hitH = hitH;
    button->x = pictureX;
    button->y = pictureY;
}

}  // namespace

Menu::Menu(SharedState* sharedState) {
    shared = sharedState;
    screen = TextureManager::instance();
    background = new Image("sprites/menu.png");
    startButton = new MenuButton("sprites/start.png");
    quitButton = new MenuButton("sprites/quit.png");
    const int w = screen->screenWidth;
    const int h = screen->screenHeight;
    placeButton(startButton, w / 2 - startHitWidth / 2, static_cast<int>(h * startHeightShare), startHitWidth,
                startHitHeight, startPictureX, startPictureY);
    placeButton(quitButton, w / 2 - quitHitWidth / 2, static_cast<int>(h * quitHeightShare), quitHitWidth,
                quitHitHeight, quitPictureX, quitPictureY);
}

Menu::~Menu() {
    delete background;
    delete startButton;
    delete quitButton;
}

void Menu::reshape(int, int) {
    const int w = screen->screenWidth;
    const int h = screen->screenHeight;
    const int bw = background->width;
    const int bh = background->height;
    backgroundX = w / 2 - bw / 2;
    backgroundY = h / 2 - bh / 2;

    // The buttons are laid out in the part of the window the picture covers.
    const int boxX = bw < w ? backgroundX : 0;
    const int boxY = bh < h ? backgroundY : 0;
    const int boxW = std::min(w, bw);
    const int boxH = std::min(h, bh);
    for (MenuButton* button : {startButton, quitButton}) {
        button->hitX = boxX + boxW / 2 - button->hitW / 2;
    }
    startButton->hitY = static_cast<int>(boxY + boxH * startHeightShare);
    quitButton->hitY = static_cast<int>(boxY + boxH * quitHeightShare);
}

void Menu::display() {
    background->draw(backgroundX, backgroundY);
    startButton->draw(startButton->hitX, startButton->hitY);
    quitButton->draw(quitButton->hitX, quitButton->hitY);
}

void Menu::update(int) {
    glutPostRedisplay();
}

void Menu::mouseMove(int x, int y) {
    startButton->hitTest(x, y);
    quitButton->hitTest(x, y);
}

void Menu::mouseButton(int button, int buttonState, int x, int y) {
    if (button != GLUT_LEFT_BUTTON || buttonState != GLUT_DOWN) {
        return;
    }
    if (startButton->hitTest(x, y)) {
        shared->state = NEWGAME;
    }
    if (quitButton->hitTest(x, y)) {
        shared->state = QUIT;
    }
}

void Menu::assumeControl(StateLoopIFC** active) {
    std::cout << "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    *active = this;
    ScreenMode::instance()->refresh();
    reshape(screen->screenWidth, screen->screenHeight);
    playTitleMusic();
}

void Menu::playTitleMusic() {
    // A game folder without the title track stays silent, and says nothing about it.
    std::error_code ec;
    MusicPlayer* music = MusicPlayer::instance();
    if (music->current() != titleMusic && std::filesystem::is_regular_file(titleMusic, ec)) {
        music->play(titleMusic);
    }
}

void Menu::key(int key, int x, int y) {
    const int code = key & 0xFF;
    if (code != keys::enter && code != keys::space) {
        StateLoopIFC::key(key, x, y);
        return;
    }
    // As with the pointer, quit wins where both buttons are lit.
    shared->state = quitButton->highlighted() ? QUIT : NEWGAME;
}

void Menu::specialDown(int key, int x, int y) {
    StateLoopIFC::specialDown(key, x, y);
    if (key == GLUT_KEY_UP || key == GLUT_KEY_LEFT) {
        startButton->setHighlighted(true);
        quitButton->setHighlighted(false);
    } else if (key == GLUT_KEY_DOWN || key == GLUT_KEY_RIGHT) {
        startButton->setHighlighted(false);
        quitButton->setHighlighted(true);
    }
}

int Menu::viewWidth() const {
    return background->width;
}

int Menu::viewHeight() const {
    return background->height;
}
