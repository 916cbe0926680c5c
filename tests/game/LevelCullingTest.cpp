#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/SharedState.h"
#include "game/Camera.h"
#include "game/Game.h"
#include "game/InputScript.h"
#include "graphics/Decoration.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "level/Level.h"
#include "objects/Platform.h"
#include "objects/Player.h"
#include "objects/Trap.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

// A level drawn with culling and the same level sent whole to GL give the same frames, tick
// after tick, and leave every animation, float and bobbing phase in the same state.
namespace {

const int kTicks = 400;

struct Window {
    int width;
    int height;
};

std::vector<unsigned char> readFrame(Window window) {
    std::vector<unsigned char> pixels(static_cast<size_t>(window.width) * window.height * 4);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, window.width, window.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<unsigned char> drawTick(Game& game, const InputScript& script, int tick, Window window) {
    script.apply(tick, game);
    game.update(0);
    glClear(GL_COLOR_BUFFER_BIT);
    game.display();
    return readFrame(window);
}

void expectSameState(Level& culled, Level& whole) {
    culled.settleAnimations();
    whole.settleAnimations();
    for (size_t i = 0; i < culled.platforms.size(); ++i) {
        if (culled.platforms[i]->image != nullptr) {
            EXPECT_EQ(culled.platforms[i]->image->frameCounter, whole.platforms[i]->image->frameCounter) << i;
        }
    }
    for (size_t i = 0; i < culled.traps.size(); ++i) {
        EXPECT_EQ(culled.traps[i]->x, whole.traps[i]->x) << i;
        EXPECT_EQ(culled.traps[i]->y, whole.traps[i]->y) << i;
        EXPECT_EQ(culled.traps[i]->phaseX, whole.traps[i]->phaseX) << i;
        EXPECT_EQ(culled.traps[i]->phaseY, whole.traps[i]->phaseY) << i;
    }
    for (size_t i = 0; i < culled.backDecorations.size(); ++i) {
        EXPECT_EQ(culled.backDecorations[i]->phase, whole.backDecorations[i]->phase) << i;
    }
    for (size_t i = 0; i < culled.frontDecorations.size(); ++i) {
        EXPECT_EQ(culled.frontDecorations[i]->phase, whole.frontDecorations[i]->phase) << i;
    }
}

// The window larger than the view shows things outside it; a smaller one cuts the view.
class LevelCullingTest : public ::testing::TestWithParam<Window> {};

}  // namespace

TEST_P(LevelCullingTest, CulledFramesEqualFramesDrawnWhole) {
    const Window window = GetParam();
    testsupport::ensureGlContext(window.width, window.height);
    testsupport::ScopedCurrentDir folder{testsupport::sourceDir()};
    testsupport::LogCapture log;
    TextureManager::instance()->setScreenWidth(window.width);
    TextureManager::instance()->setScreenHeight(window.height);

    // The last level has the most of everything: floating traps and scenery at many depths.
    std::string levelName;
    for (int n = 1; fs::exists("data/level" + std::to_string(n) + ".level"); ++n) {
        levelName = "level" + std::to_string(n);
    }
    ASSERT_FALSE(levelName.empty());
    std::ifstream keys("tests/replays/" + levelName + ".keys");
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse(keys, error)) << error;

    SharedState culledState;
    SharedState wholeState;
    Game culled(&culledState);
    Game whole(&wholeState);
    std::srand(1);
    ASSERT_TRUE(culled.newGame(levelName + ".level"));
    std::srand(1);
    ASSERT_TRUE(whole.newGame(levelName + ".level"));
    whole.level->culling = false;
    culled.reshape(0, 0);
    whole.reshape(0, 0);

    int differing = 0;
    for (int tick = 1; tick <= kTicks && culledState.state == CONTINUE; ++tick) {
        const std::vector<unsigned char> culledFrame = drawTick(culled, script, tick, window);
        const std::vector<unsigned char> wholeFrame = drawTick(whole, script, tick, window);
        if (culledFrame != wholeFrame && ++differing <= 3) {
            ADD_FAILURE() << "frames differ at tick " << tick;
        }
        ASSERT_EQ(culled.player->x, whole.player->x) << tick;
        ASSERT_EQ(culled.player->y, whole.player->y) << tick;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(culledState.state, wholeState.state);
    expectSameState(*culled.level, *whole.level);
}

INSTANTIATE_TEST_SUITE_P(Windows, LevelCullingTest, ::testing::Values(Window{900, 640}, Window{480, 360}),
                         [](const ::testing::TestParamInfo<Window>& window) {
                             return std::to_string(window.param.width) + "x" + std::to_string(window.param.height);
                         });

// Far out along a very long level the culling is as exact as near its start, and the index
// answers only what is near the view.
TEST(LevelCullingFarTest, ALevelMillionsOfPixelsWideIsCulledExactly) {
    const Window window{640, 480};
    testsupport::ensureGlContext(window.width, window.height);
    testsupport::ScopedTempDir dir;
    testsupport::LogCapture log;
    TextureManager::instance()->setScreenWidth(window.width);
    TextureManager::instance()->setScreenHeight(window.height);
    std::vector<unsigned char> tile;
    for (int i = 0; i < 100 * 32; ++i) {
        tile.insert(tile.end(), {static_cast<unsigned char>(i % 251), 90, 160, 255});
    }
    testsupport::writeRgbaPng("sprites/tile.png", 100, 32, tile);
    testsupport::writeRgbaPng("sprites/view.png", 640, 480, std::vector<unsigned char>(640 * 480 * 4, 40));
    testsupport::writeRgbaPng("sprites/goal.png", 40, 56, std::vector<unsigned char>(40 * 56 * 4, 220));
    const int64_t start = 5000000;
    std::string text = "[Properties]\nwidth: 20000000\nheight: 480\nspawnx: " + std::to_string(start + 40) +
                       "\nspawny: 354\nwinimg: goal.png\nwinx: 19000000\nwiny: 344\nnextmap: finish\nend\n"
                       "[BG]\nimg: view.png\nend\n";
    for (int i = 0; i < 2000; ++i) {
        const int64_t x = start - 150000 + int64_t{i} * 150;
        text += "[Platform]\nimg: tile.png\nx: " + std::to_string(x) + "\ny: 400\nw: 150\nh: 32\nend\n";
        if (i % 10 == 0) {
            text += "[Decoration]\nimg: tile.png\nx: " + std::to_string(x) + "\ny: 200\nz: " +
                    std::to_string(i % 30 == 0   ? 2
                                   : i % 20 == 0 ? -1
                                                 : 0) +
                    "\nstill: yes\nend\n";
        }
    }
    testsupport::writeFile("data/far.level", text);
    InputScript script;
    script.add(1, InputScript::Action::Down, "right");

    SharedState culledState;
    SharedState wholeState;
    Game culled(&culledState);
    Game whole(&wholeState);
    ASSERT_TRUE(culled.newGame("far.level"));
    ASSERT_TRUE(whole.newGame("far.level"));
    whole.level->culling = false;
    culled.reshape(0, 0);
    whole.reshape(0, 0);
    int differing = 0;
    for (int tick = 1; tick <= 40; ++tick) {
        if (drawTick(culled, script, tick, window) != drawTick(whole, script, tick, window) && ++differing <= 3) {
            ADD_FAILURE() << "frames differ at tick " << tick;
        }
    }
    EXPECT_EQ(differing, 0);
    std::vector<int32_t> near;
    const Bounds view = culled.camera->view();
    culled.level->index.platformsShown(
        SpatialGrid::Area{view.x, view.y, int64_t{view.x} + view.w, int64_t{view.y} + view.h}, near);
    EXPECT_GT(near.size(), 0u);
    EXPECT_LT(near.size(), 20u);
}
