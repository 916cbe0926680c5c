#include "menu/Menu.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "app/FrameRequest.h"
#include "app/ScreenMode.h"
#include "core/GameUnits.h"
#include "core/KeyCodes.h"
#include "game/PixelText.h"
#include "game/ProgressFile.h"
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

// Continue and Levels: two small buttons side by side above start, their pictures drawn 28
// pixels left of and above the clickable rectangle.
const char* const continuePicture = "sprites/continue.png";
const char* const levelsPicture = "sprites/levels.png";
const int smallHitWidth = 164;
const int smallHitHeight = 48;
const int smallPictureOffset = -28;
const int smallGap = 16;         // between the two buttons
const int smallAboveStart = 66;  // from their top to start's
const int levelsKeyLower = 'l';
const int levelsKeyUpper = 'L';

// The run's time and deaths on the win screen, above the buttons.
const int runScale = 3;
const int runAboveStart = 100;
const pixeltext::Colour runInk{1.0f, 0.95f, 0.7f, 1.0f};
const pixeltext::Colour runShadow{0.2f, 0.08f, 0.1f, 1.0f};

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
    delete continueButton;
    delete levelsButton;
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
    if (hasProgress()) {
        placeProgressButtons();
    }
    // A new size or a new hand-over: the window's last frame may show anything.
    redrawWanted = true;
}

Bounds Menu::layoutBox() const {
    const int w = screen->screenWidth;
    const int h = screen->screenHeight;
    return Bounds{background->width < w ? backgroundX : 0, background->height < h ? backgroundY : 0,
                  std::min(w, background->width), std::min(h, background->height)};
}

bool Menu::hasProgress() const {
    return progressFile != nullptr && progressFile->progress().anyFinished();
}

void Menu::placeProgressButtons() {
    if (continueButton == nullptr) {
        continueButton = new MenuButton(continuePicture);
        levelsButton = new MenuButton(levelsPicture);
    }
    const int middle = startButton->hitX + startButton->hitW / 2;
    const int top = startButton->hitY - smallAboveStart;
    placeButton(continueButton, middle - smallGap / 2 - smallHitWidth, top, smallHitWidth, smallHitHeight,
                smallPictureOffset, smallPictureOffset);
    placeButton(levelsButton, middle + smallGap / 2, top, smallHitWidth, smallHitHeight, smallPictureOffset,
                smallPictureOffset);
}

void Menu::display() {
    background->draw(backgroundX, backgroundY);
    if (runShown) {
        drawRun();
    }
    startButton->draw(startButton->hitX, startButton->hitY);
    quitButton->draw(quitButton->hitX, quitButton->hitY);
    if (hasProgress() && continueButton != nullptr) {
        continueButton->draw(continueButton->hitX, continueButton->hitY);
        levelsButton->draw(levelsButton->hitX, levelsButton->hitY);
    }
    if (levelsOpen) {
        levels.draw(layoutBox());
    }
    drawnLook = look();
    redrawWanted = false;
}

std::vector<int64_t> Menu::look() const {
    std::vector<int64_t> seen = {screen->screenWidth,
                                 screen->screenHeight,
                                 backgroundX,
                                 backgroundY,
                                 reinterpret_cast<intptr_t>(background),
                                 background->texture,
                                 hasProgress(),
                                 levelsOpen,
                                 levels.highlighted(),
                                 static_cast<int64_t>(levels.size()),
                                 runShown,
                                 runTicks,
                                 runDeaths};
    for (const MenuButton* button : {startButton, quitButton, continueButton, levelsButton}) {
        if (button != nullptr) {
            seen.insert(seen.end(),
                        {button->hitX, button->hitY, button->x, button->y, button->shownColumn(), button->shownRow()});
        }
    }
    return seen;
}

void Menu::showRun(int64_t ticks, int64_t deaths) {
    runShown = true;
    runTicks = ticks;
    runDeaths = deaths;
}

void Menu::drawRun() const {
    const std::string text =
        "Time " + pixeltext::clock(runTicks, units::kTickMilliseconds) + "   Deaths " + std::to_string(runDeaths);
    const Bounds box = layoutBox();
    const int64_t left = int64_t{box.x} + box.w / 2 - pixeltext::width(text, runScale) / 2;
    pixeltext::draw(text, left, int64_t{startButton->hitY} - runAboveStart, runScale, runInk, runShadow);
}

void Menu::update(int) {
    if (redrawWanted || look() != drawnLook) {
        FrameRequest::post();
    }
}

void Menu::mouseMove(int x, int y) {
    if (levelsOpen) {
        levels.point(layoutBox(), x, y);
        return;
    }
    startButton->hitTest(x, y);
    quitButton->hitTest(x, y);
    if (hasProgress() && continueButton != nullptr) {
        continueButton->hitTest(x, y);
        levelsButton->hitTest(x, y);
    }
}

void Menu::mouseButton(int button, int buttonState, int x, int y) {
    if (button != GLUT_LEFT_BUTTON || buttonState != GLUT_DOWN) {
        return;
    }
    if (levelsOpen) {
        if (levels.point(layoutBox(), x, y) >= 0) {
            startLevel(levels.chosen());
        }
        return;
    }
    if (hasProgress() && continueButton != nullptr) {
        if (continueButton->hitTest(x, y)) {
            continueGame();
        }
        if (levelsButton->hitTest(x, y)) {
            openLevels();
        }
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

void Menu::continueGame() {
    shared->startLevel = progressFile->progress().furthest();
    shared->state = NEWGAME;
}

void Menu::openLevels() {
    levels.open(progressFile->progress().inChainOrder());
    levelsOpen = true;
}

void Menu::startLevel(const std::string& file) {
    levelsOpen = false;
    if (!file.empty()) {
        shared->startLevel = file;
        shared->state = NEWGAME;
    }
}

void Menu::levelsKey(int code) {
    if (code == keys::escape) {
        levelsOpen = false;
    } else if (code == keys::enter || code == keys::space) {
        startLevel(levels.chosen());
    }
}

void Menu::key(int key, int x, int y) {
    const int code = key & 0xFF;
    if (levelsOpen) {
        levelsKey(code);
        return;
    }
    if (hasProgress() && (code == levelsKeyLower || code == levelsKeyUpper)) {
        openLevels();
        return;
    }
    if (hasProgress() && continueButton != nullptr && (code == keys::enter || code == keys::space)) {
        if (continueButton->highlighted()) {
            continueGame();
            return;
        }
        if (levelsButton->highlighted()) {
            openLevels();
            return;
        }
    }
    if (code != keys::enter && code != keys::space) {
        StateLoopIFC::key(key, x, y);
        return;
    }
    // As with the pointer, quit wins where both buttons are lit.
    shared->state = quitButton->highlighted() ? QUIT : NEWGAME;
}

void Menu::specialDown(int key, int x, int y) {
    StateLoopIFC::specialDown(key, x, y);
    if (levelsOpen) {
        if (key == GLUT_KEY_UP || key == GLUT_KEY_DOWN) {
            levels.step(key == GLUT_KEY_DOWN);
        }
        return;
    }
    const bool forward = key == GLUT_KEY_DOWN || key == GLUT_KEY_RIGHT;
    if (hasProgress() && continueButton != nullptr && (forward || key == GLUT_KEY_UP || key == GLUT_KEY_LEFT)) {
        stepHighlight(forward);
        return;
    }
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

// With progress the highlight walks Continue, Levels, start, quit; from none, backwards lights
// start and forwards quit, as without progress.
void Menu::stepHighlight(bool forward) {
    MenuButton* const order[] = {continueButton, levelsButton, startButton, quitButton};
    const int count = 4;
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (order[i]->highlighted()) {
            at = i;
        }
    }
    int next = at < 0 ? (forward ? 3 : 2) : at + (forward ? 1 : -1);
    next = std::max(0, std::min(count - 1, next));
    for (int i = 0; i < count; ++i) {
        order[i]->setHighlighted(i == next);
    }
}
