#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FrameRequest.h"
#include "app/SharedState.h"
#include "core/KeyCodes.h"
#include "game/ProgressFile.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "menu/Menu.h"
#include "menu/MenuButton.h"
#include "sound/MusicPlayer.h"
#include "sound/WubManager.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;
using testsupport::readPixel;
using testsupport::Rgba;

namespace {

const Rgba black{0, 0, 0, 255};
const Rgba title{60, 60, 160, 255};
const Rgba startNormal{0, 200, 0, 255};
const Rgba startLit{150, 255, 150, 255};
const Rgba quitNormal{200, 0, 0, 255};
const Rgba quitLit{255, 150, 150, 255};

// A picture whose top half is one colour and bottom half another: a button's two rows.
void writeTwoRowPng(const std::string& path, int w, int h, Rgba top, Rgba bottom) {
    std::vector<unsigned char> pixels;
    for (int y = 0; y < h; ++y) {
        const Rgba& c = y < h / 2 ? top : bottom;
        for (int x = 0; x < w; ++x) {
            pixels.insert(pixels.end(), {c.r, c.g, c.b, c.a});
        }
    }
    testsupport::writeRgbaPng(path, w, h, pixels);
}

void writeSolidPng(const std::string& path, int w, int h, Rgba c) {
    writeTwoRowPng(path, w, h, c, c);
}

int shownRow(const Image& image) {
    return image.rowCounter / static_cast<int>(image.ticksPerFrame) + 1;
}

struct HitRect {
    int x, y, w, h;
    bool operator==(const HitRect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

std::ostream& operator<<(std::ostream& out, const HitRect& r) {
    return out << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}

HitRect hitRect(const MenuButton& b) {
    return HitRect{b.hitX, b.hitY, b.hitW, b.hitH};
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Button frames: start 300 x 100, quit 250 x 80.
        writeTwoRowPng("sprites/start.png", 300, 200, startNormal, startLit);
        writeTwoRowPng("sprites/quit.png", 250, 160, quitNormal, quitLit);
    }

    // Sets the window size, builds the menu and hands it control, which lays it out.
    void openMenu(int width, int height) {
        testsupport::ensureGlContext(width, height);
        TextureManager::instance()->setScreenWidth(width);
        TextureManager::instance()->setScreenHeight(height);
        menu = std::make_unique<Menu>(&shared);
        StateLoopIFC* active = nullptr;
        menu->assumeControl(&active);
        ASSERT_EQ(active, menu.get());
    }

    void draw() {
        testsupport::clearScreen();
        menu->display();
    }

    // A left press; the state is reset to MENU first and returned afterwards.
    int32_t leftPress(int x, int y) {
        shared.state = MENU;
        menu->mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        return shared.state;
    }

    testsupport::ScopedTempDir dir;
    SharedState shared;
    std::unique_ptr<Menu> menu;
};

}  // namespace

TEST_F(MenuTest, HandOverWritesItsLineTakesControlAndLaysOut) {
    writeSolidPng("sprites/menu.png", 640, 480, title);
    testsupport::ensureGlContext(640, 480);
    menu = std::make_unique<Menu>(&shared);
    TextureManager::instance()->setScreenWidth(800);
    TextureManager::instance()->setScreenHeight(600);
    LogCapture log;
    StateLoopIFC* active = nullptr;
    menu->assumeControl(&active);
    EXPECT_EQ(log.text(), "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n");
    EXPECT_EQ(active, menu.get());
    EXPECT_EQ(menu->backgroundX, 80);
    EXPECT_EQ(menu->backgroundY, 60);
    EXPECT_EQ(hitRect(*menu->startButton), (HitRect{80 + 320 - 113, 60 + 240, 226, 82}));
    EXPECT_EQ(hitRect(*menu->quitButton), (HitRect{80 + 320 - 86, 60 + 360, 172, 92}));
}

TEST_F(MenuTest, TitleMusicPlaysWhenTheGameFolderHasIt) {
    writeSolidPng("sprites/menu.png", 640, 480, title);
    testsupport::writeToneWav("sounds/music_title.ogg", 0.2, 440);  // the decoder goes by content
    WubManager::instance();  // the game has started its sound manager before the menu shows
    testsupport::ensureGlContext(640, 480);
    menu = std::make_unique<Menu>(&shared);
    LogCapture log;
    StateLoopIFC* active = nullptr;
    menu->assumeControl(&active);
    EXPECT_EQ(log.text(), "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n");
    EXPECT_EQ(MusicPlayer::instance()->current(), "sounds/music_title.ogg");
}

TEST_F(MenuTest, LayoutInA640By480WindowWithALargerTitle) {
    writeSolidPng("sprites/menu.png", 800, 600, title);
    openMenu(640, 480);
    EXPECT_EQ(menu->backgroundX, -80);
    EXPECT_EQ(menu->backgroundY, -60);
    EXPECT_EQ(hitRect(*menu->startButton), (HitRect{207, 240, 226, 82}));
    EXPECT_EQ(hitRect(*menu->quitButton), (HitRect{234, 360, 172, 92}));

    draw();
    // The start picture (300 x 100) is drawn at (133, 162), the quit picture (250 x 80) at (170, 296).
    EXPECT_EQ(readPixel(133, 162), startNormal);
    EXPECT_EQ(readPixel(432, 261), startNormal);
    EXPECT_EQ(readPixel(132, 162), title);
    EXPECT_EQ(readPixel(133, 161), title);
    EXPECT_EQ(readPixel(433, 261), title);
    EXPECT_EQ(readPixel(432, 262), title);
    EXPECT_EQ(readPixel(170, 296), quitNormal);
    EXPECT_EQ(readPixel(419, 375), quitNormal);
    EXPECT_EQ(readPixel(169, 296), title);
    EXPECT_EQ(readPixel(170, 295), title);
    EXPECT_EQ(readPixel(420, 375), title);
    EXPECT_EQ(readPixel(419, 376), title);
    // The title covers the whole window, cut on every side.
    EXPECT_EQ(readPixel(0, 0), title);
    EXPECT_EQ(readPixel(639, 479), title);
}

TEST_F(MenuTest, LayoutInA1024By768WindowWithAn800By600Title) {
    writeSolidPng("sprites/menu.png", 800, 600, title);
    openMenu(1024, 768);
    EXPECT_EQ(menu->backgroundX, 112);
    EXPECT_EQ(menu->backgroundY, 84);
    EXPECT_EQ(hitRect(*menu->startButton), (HitRect{399, 384, 226, 82}));
    EXPECT_EQ(hitRect(*menu->quitButton), (HitRect{426, 534, 172, 92}));

    draw();
    EXPECT_EQ(readPixel(112, 84), title);
    EXPECT_EQ(readPixel(911, 683), title);
    EXPECT_EQ(readPixel(111, 84), black);
    EXPECT_EQ(readPixel(112, 83), black);
    EXPECT_EQ(readPixel(912, 683), black);
    EXPECT_EQ(readPixel(911, 684), black);
    EXPECT_EQ(readPixel(399 - 74, 384 - 78), startNormal);
    EXPECT_EQ(readPixel(399 - 75, 384 - 78), title);
    EXPECT_EQ(readPixel(426 - 64, 534 - 64), quitNormal);
    EXPECT_EQ(readPixel(426 - 64, 534 - 65), title);
}

TEST_F(MenuTest, ConstructorPlacesTheButtonsBeforeAnyLayout) {
    writeSolidPng("sprites/menu.png", 800, 600, title);
    testsupport::ensureGlContext(1001, 701);
    TextureManager::instance()->setScreenWidth(1001);
    TextureManager::instance()->setScreenHeight(701);
    menu = std::make_unique<Menu>(&shared);
    EXPECT_EQ(hitRect(*menu->startButton), (HitRect{500 - 113, 350, 226, 82}));
    EXPECT_EQ(hitRect(*menu->quitButton), (HitRect{500 - 86, 525, 172, 92}));
    EXPECT_EQ(menu->startButton->x, -74);
    EXPECT_EQ(menu->startButton->y, -78);
    EXPECT_EQ(menu->quitButton->x, -64);
    EXPECT_EQ(menu->quitButton->y, -64);
}

TEST_F(MenuTest, HitRectanglesIncludeAllFourEdges) {
    writeSolidPng("sprites/menu.png", 800, 600, title);
    openMenu(640, 480);
    // start: (207, 240, 226, 82), so x 207 .. 433 and y 240 .. 322 count.
    EXPECT_EQ(leftPress(207, 240), NEWGAME);
    EXPECT_EQ(leftPress(433, 322), NEWGAME);
    EXPECT_EQ(leftPress(433, 240), NEWGAME);
    EXPECT_EQ(leftPress(207, 322), NEWGAME);
    EXPECT_EQ(leftPress(206, 280), MENU);
    EXPECT_EQ(leftPress(434, 280), MENU);
    EXPECT_EQ(leftPress(300, 239), MENU);
    EXPECT_EQ(leftPress(300, 323), MENU);
    // quit: (234, 360, 172, 92), so x 234 .. 406 and y 360 .. 452 count.
    EXPECT_EQ(leftPress(234, 360), QUIT);
    EXPECT_EQ(leftPress(406, 452), QUIT);
    EXPECT_EQ(leftPress(233, 400), MENU);
    EXPECT_EQ(leftPress(407, 400), MENU);
    EXPECT_EQ(leftPress(300, 359), MENU);
    EXPECT_EQ(leftPress(300, 453), MENU);
}

TEST_F(MenuTest, RightAndMiddleClicksAndReleasesAreIgnored) {
    writeSolidPng("sprites/menu.png", 800, 600, title);
    openMenu(640, 480);
    menu->mouseMove(0, 0);
    const int insideStart[2] = {300, 280};
    const int insideQuit[2] = {300, 400};
    for (const int* at : {insideStart, insideQuit}) {
        menu->mouseButton(GLUT_RIGHT_BUTTON, GLUT_DOWN, at[0], at[1]);
        menu->mouseButton(GLUT_MIDDLE_BUTTON, GLUT_DOWN, at[0], at[1]);
        menu->mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, at[0], at[1]);
        menu->mouseButton(GLUT_RIGHT_BUTTON, GLUT_UP, at[0], at[1]);
    }
    EXPECT_EQ(shared.state, MENU);
    // Nothing was tested, so nothing lit up.
    EXPECT_EQ(shownRow(*menu->startButton), 1);
    EXPECT_EQ(shownRow(*menu->quitButton), 1);
}

TEST_F(MenuTest, MissingTitleMakesTheButtonsOverlapAtTheCentreAndQuitWins) {
    openMenu(640, 480);
    EXPECT_EQ(menu->background->width, 0);
    EXPECT_EQ(hitRect(*menu->startButton), (HitRect{207, 240, 226, 82}));
    EXPECT_EQ(hitRect(*menu->quitButton), (HitRect{234, 240, 172, 92}));

    EXPECT_EQ(leftPress(300, 280), QUIT);
    // Both tests ran: both buttons show their highlight.
    EXPECT_EQ(shownRow(*menu->startButton), 2);
    EXPECT_EQ(shownRow(*menu->quitButton), 2);
    EXPECT_EQ(leftPress(210, 280), NEWGAME);
    EXPECT_EQ(leftPress(420, 280), NEWGAME);
    EXPECT_EQ(leftPress(300, 330), QUIT);
}

TEST_F(MenuTest, HighlightFollowsThePointerButNotADrag) {
    writeSolidPng("sprites/menu.png", 800, 600, title);
    openMenu(640, 480);
    draw();
    EXPECT_EQ(readPixel(200, 200), startNormal);
    EXPECT_EQ(readPixel(200, 330), quitNormal);

    menu->mouseMove(300, 280);
    draw();
    EXPECT_EQ(readPixel(200, 200), startLit);
    EXPECT_EQ(readPixel(200, 330), quitNormal);

    menu->clickDrag(300, 400);
    draw();
    EXPECT_EQ(readPixel(200, 200), startLit);
    EXPECT_EQ(readPixel(200, 330), quitNormal);

    menu->mouseMove(300, 400);
    draw();
    EXPECT_EQ(readPixel(200, 200), startNormal);
    EXPECT_EQ(readPixel(200, 330), quitLit);

    menu->mouseMove(10, 10);
    draw();
    EXPECT_EQ(readPixel(200, 200), startNormal);
    EXPECT_EQ(readPixel(200, 330), quitNormal);
}

TEST_F(MenuTest, ATickDrawsAFrameOnlyWhenThePictureChanged) {
    writeSolidPng("sprites/menu.png", 800, 600, title);
    openMenu(640, 480);
    // Frames the menu asks for in a tick after the change, each drawn as the window system would.
    const auto frames = [&](const std::function<void()>& change) {
        change();
        const int64_t before = FrameRequest::count();
        menu->update(0);
        const int64_t asked = FrameRequest::count() - before;
        if (asked > 0) {
            draw();
        }
        return asked;
    };
    const auto idle = [] {};
    EXPECT_EQ(frames(idle), 1) << "the first frame after the hand-over";
    int idleFrames = 0;
    for (int i = 0; i < 30; ++i) {
        idleFrames += frames(idle);
    }
    EXPECT_EQ(idleFrames, 0);

    // The pointer onto start lights it: one frame, showing it lit. Moving within start changes nothing.
    EXPECT_EQ(frames([&] { menu->mouseMove(300, 280); }), 1);
    EXPECT_EQ(readPixel(200, 200), startLit);
    EXPECT_EQ(frames([&] { menu->mouseMove(310, 290); }), 0);
    EXPECT_EQ(frames([&] { menu->specialDown(GLUT_KEY_DOWN, 0, 0); }), 1);
    EXPECT_EQ(readPixel(200, 330), quitLit);
    EXPECT_EQ(frames(idle), 0);
    // A new window size, and a highlight that comes and goes within one tick.
    EXPECT_EQ(frames([&] { menu->reshape(640, 480); }), 1);
    EXPECT_EQ(frames([&] {
                  menu->mouseMove(10, 10);
                  menu->specialDown(GLUT_KEY_DOWN, 0, 0);
              }),
              0);
}

TEST_F(MenuTest, StartStaysLitAfterItsPressUntilThePointerMoves) {
    writeSolidPng("sprites/menu.png", 800, 600, title);
    openMenu(640, 480);
    EXPECT_EQ(leftPress(300, 280), NEWGAME);
    StateLoopIFC* active = nullptr;
    menu->assumeControl(&active);
    draw();
    EXPECT_EQ(readPixel(200, 200), startLit);
    menu->mouseMove(10, 10);
    draw();
    EXPECT_EQ(readPixel(200, 200), startNormal);
}

TEST_F(MenuTest, ArrowKeysOnlySetTheSharedFlags) {
    openMenu(640, 480);
    menu->specialDown(GLUT_KEY_UP, 0, 0);
    menu->specialDown(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_TRUE(shared.up);
    EXPECT_TRUE(shared.right);
    EXPECT_FALSE(shared.left);
    menu->specialUp(GLUT_KEY_UP, 0, 0);
    EXPECT_FALSE(shared.up);
    EXPECT_TRUE(shared.right);
    menu->key('a', 0, 0);
    EXPECT_EQ(shared.state, MENU);
}

TEST_F(MenuTest, MissingButtonPicturesStillClick) {
    testsupport::ensureGlContext(640, 480);
    std::remove("sprites/start.png");
    std::remove("sprites/quit.png");
    LogCapture log;
    menu = std::make_unique<Menu>(&shared);
    EXPECT_NE(log.text().find("invalid image partion\n"), std::string::npos);
    StateLoopIFC* active = nullptr;
    menu->assumeControl(&active);
    EXPECT_EQ(hitRect(*menu->startButton), (HitRect{207, 240, 226, 82}));
    EXPECT_EQ(leftPress(207, 240), NEWGAME);
}

TEST_F(MenuTest, FinishedLevelsAddContinueAndLevelsWhichKeysAndPointerReach) {
    writeSolidPng("sprites/menu.png", 640, 480, title);
    ProgressFile progress;
    LevelRecord& first = progress.progress().level("level1.level");
    first.order = 1;
    LevelRecord& second = progress.progress().level("level2.level");
    second.order = 2;

    // Reached but nothing finished: the designed menu, and L is no key of it.
    {
        LogCapture log;
        openMenu(640, 480);
        menu->useProgress(&progress);
        StateLoopIFC* active = nullptr;
        menu->assumeControl(&active);
        EXPECT_EQ(log.text().find("continue.png"), std::string::npos) << log.text();
        EXPECT_EQ(menu->continueButton, nullptr);
        menu->key('l', 0, 0);
        EXPECT_FALSE(menu->levelsShown());
    }

    progress.progress().finish("level1.level", 900);
    StateLoopIFC* active = nullptr;
    menu->assumeControl(&active);
    ASSERT_NE(menu->continueButton, nullptr);
    const MenuButton& go = *menu->continueButton;
    EXPECT_LT(go.hitY + go.hitH, menu->startButton->hitY) << "above start, clear of it";

    // Up from start lights Levels, then Continue; Enter continues at the furthest level.
    menu->specialDown(GLUT_KEY_UP, 0, 0);
    menu->specialDown(GLUT_KEY_UP, 0, 0);
    EXPECT_TRUE(menu->levelsButton->highlighted());
    menu->specialDown(GLUT_KEY_UP, 0, 0);
    EXPECT_TRUE(go.highlighted());
    EXPECT_FALSE(menu->startButton->highlighted());
    menu->key(keys::enter, 0, 0);
    EXPECT_EQ(shared.state, NEWGAME);
    EXPECT_EQ(shared.startLevel, "level2.level");

    // The Levels screen by its button: Down and Enter pick the second row; Escape only closes it.
    shared.startLevel.clear();
    const MenuButton& levels = *menu->levelsButton;
    EXPECT_EQ(leftPress(levels.hitX + 5, levels.hitY + 5), MENU);
    ASSERT_TRUE(menu->levelsShown());
    draw();
    menu->key(keys::escape, 0, 0);
    EXPECT_FALSE(menu->levelsShown());
    menu->key('L', 0, 0);
    ASSERT_TRUE(menu->levelsShown());
    menu->specialDown(GLUT_KEY_DOWN, 0, 0);
    shared.state = MENU;
    menu->key(keys::space, 0, 0);
    EXPECT_EQ(shared.state, NEWGAME);
    EXPECT_EQ(shared.startLevel, "level2.level");
    EXPECT_FALSE(menu->levelsShown());
    // Start still starts at the first level.
    shared.startLevel.clear();
    const MenuButton& start = *menu->startButton;
    EXPECT_EQ(leftPress(start.hitX + 5, start.hitY + 5), NEWGAME);
    EXPECT_EQ(shared.startLevel, "");
}
