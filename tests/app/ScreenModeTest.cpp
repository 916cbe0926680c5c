#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "app/EventDispatch.h"
#include "app/ScreenMode.h"
#include "graphics/Image.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::Rgba;

namespace {

constexpr int kWindowWidth = 1280;  // the test rig's window
constexpr int kWindowHeight = 1024;

// Draws a picture full of edges inside the box a game keeps to: blocks and one-pixel lines in
// flat colours and a picture with a different colour in every pixel, at odd places.
class PatternState : public StateLoopIFC {
public:
    PatternState(int width, int height, Bounds kept) : viewW(width), viewH(height), box(kept) {
        std::vector<unsigned char> pixels;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                pixels.insert(pixels.end(), {static_cast<unsigned char>(x * 16), static_cast<unsigned char>(y * 16),
                                             static_cast<unsigned char>(255 - x * 8), 255});
            }
        }
        testsupport::writeRgbaPng("gradient.png", 16, 16, pixels);
        picture = Image("gradient.png");
    }
    void update(int) override {}
    int viewWidth() const override { return viewW; }
    int viewHeight() const override { return viewH; }
    std::optional<Bounds> pictureBox() const override { return box; }
    void display() override {
        glGetIntegerv(GL_VIEWPORT, viewport);
        glDisable(GL_TEXTURE_2D);
        block(box.x, box.y, box.w, box.h, 20, 70, 50);
        block(box.x + 7, box.y + 5, 101, 37, 230, 51, 20);
        block(box.x + 200, box.y + 1, 1, box.h - 2, 255, 255, 0);
        block(box.x + 1, box.y + 150, box.w - 2, 1, 0, 255, 255);
        block(box.x + box.w - 13, box.y + box.h - 11, 13, 11, 128, 128, 255);
        glColor4f(1, 1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        picture.draw(box.x + 33, box.y + 61);
    }

    GLint viewport[4] = {0, 0, 0, 0};

private:
    // Colours in whole steps of 1/255, which every driver shows exactly.
    static void block(int x, int y, int w, int h, int r, int g, int b) {
        glColor4ub(static_cast<GLubyte>(r), static_cast<GLubyte>(g), static_cast<GLubyte>(b), 255);
        glBegin(GL_QUADS);
        glVertex2i(x, y);
        glVertex2i(x + w, y);
        glVertex2i(x + w, y + h);
        glVertex2i(x, y + h);
        glEnd();
    }

    int viewW;
    int viewH;
    Bounds box;
    Image picture;
};

// The back buffer's rows from the top of the window, as the window shows them.
std::vector<Rgba> windowPixels() {
    glFinish();
    std::vector<Rgba> rows(static_cast<size_t>(kWindowWidth) * kWindowHeight);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    std::vector<Rgba> fromTop(rows.size());
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) {
            fromTop[static_cast<size_t>(y) * kWindowWidth + x] =
                rows[static_cast<size_t>(kWindowHeight - 1 - y) * kWindowWidth + x];
        }
    }
    return fromTop;
}

Rgba at(const std::vector<Rgba>& shot, int x, int y) {
    return shot[static_cast<size_t>(y) * kWindowWidth + x];
}

void drawFrame(ScreenMode* mode, StateLoopIFC& state) {
    mode->beginFrame();
    state.display();
    mode->finishFrame();
}

// Fills the whole window with a colour, as an earlier picture would have left it.
void smearWindow() {
    glViewport(0, 0, kWindowWidth, kWindowHeight);
    glClearColor(0.6f, 0.0f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 1);
}

class ScreenModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureGlContext(kWindowWidth, kWindowHeight);
        // The back buffer is read here: the enlargement must be GL's, whatever the renderer.
        ScreenMode::instance()->chooseEnlarger(PictureScaler::Enlarger::Gl);
    }
    void TearDown() override { activeState = nullptr; }
    testsupport::ScopedTempDir dir;
};

}  // namespace

TEST_F(ScreenModeTest, AtTwiceTheSizeTheWindowShowsThePictureOfScaleOneEnlargedAndBlackAround) {
    // A 640 x 480 view centred in the 640 x 512 logical window of a 1280 x 1024 one at scale 2.
    PatternState state(640, 480, Bounds{0, 16, 640, 480});
    activeState = &state;
    ScreenMode* mode = ScreenMode::instance();
    mode->applyWindowSize(640, 512);
    ASSERT_EQ(mode->scale, 1);
    drawFrame(mode, state);
    const std::vector<Rgba> once = windowPixels();  // the picture of scale 1 in the bottom-left corner

    mode->autoScale = true;
    mode->applyWindowSize(kWindowWidth, kWindowHeight);
    ASSERT_EQ(mode->scale, 2);
    smearWindow();
    drawFrame(mode, state);
    EXPECT_EQ(state.viewport[2], 640) << "drawn at the picture's own size";
    EXPECT_EQ(state.viewport[3], 480);
    const std::vector<Rgba> twice = windowPixels();
    const int onceTop = kWindowHeight - 512;
    int wrong = 0;
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) {
            if (!(at(twice, x, y) == at(once, x / 2, onceTop + y / 2)) && ++wrong < 5) {
                ADD_FAILURE() << "pixel " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(wrong, 0);

    // A second frame draws only the picture: the black around it stays.
    drawFrame(mode, state);
    const std::vector<Rgba> again = windowPixels();
    EXPECT_TRUE(at(again, 5, 5) == (Rgba{0, 0, 0, 255}));
    EXPECT_TRUE(at(again, 1279, 1023) == (Rgba{0, 0, 0, 255}));
    EXPECT_TRUE(at(again, 2 * 7, 32 + 2 * 5) == at(twice, 2 * 7, 32 + 2 * 5));
}

TEST_F(ScreenModeTest, FittedThePictureFillsTheHeightSharplyAndThePointerFollows) {
    // 400 x 300 in 1280 x 1024: three times without blur, then to 1280 x 960, smoothly.
    PatternState state(400, 300, Bounds{0, 0, 400, 300});
    activeState = &state;
    ScreenMode* mode = ScreenMode::instance();
    mode->fitScale = true;
    mode->applyWindowSize(kWindowWidth, kWindowHeight);
    smearWindow();
    drawFrame(mode, state);
    const std::vector<Rgba> shot = windowPixels();
    const Rgba black{0, 0, 0, 255};
    EXPECT_TRUE(at(shot, 640, 31) == black);
    EXPECT_TRUE(at(shot, 640, 992) == black);
    // Inside the red block (7..108 x 5..42), away from its edges, the colour is exact.
    const Rgba red = at(shot, static_cast<int>(50 * 3.2), 32 + static_cast<int>(20 * 3.2));
    EXPECT_EQ(red.r, 230);
    EXPECT_EQ(red.g, 51);
    for (int x = static_cast<int>(9 * 3.2); x < static_cast<int>(106 * 3.2); ++x) {
        EXPECT_TRUE(at(shot, x, 32 + static_cast<int>(24 * 3.2)) == red) << x;
    }
    // Its left edge, at 7 x 3.2 = 22.4, is blended over one pixel at most.
    EXPECT_TRUE(at(shot, 21, 32 + 80) == at(shot, 10, 32 + 80));
    EXPECT_TRUE(at(shot, 23, 32 + 80) == red);

    EXPECT_EQ(mode->toLogicalX(0), 0);
    EXPECT_EQ(mode->toLogicalX(1279), 399);
    EXPECT_EQ(mode->toLogicalY(32), 0);
    EXPECT_EQ(mode->toLogicalY(31), -1);
    EXPECT_EQ(mode->toLogicalY(32 + 959), 299);
}

TEST_F(ScreenModeTest, AWindowSmallerThanThePictureShowsItShrunkWhole) {
    PatternState state(640, 480, Bounds{0, 0, 640, 480});
    activeState = &state;
    ScreenMode* mode = ScreenMode::instance();
    mode->autoScale = true;
    mode->applyWindowSize(320, 240);
    smearWindow();
    drawFrame(mode, state);
    const std::vector<Rgba> shot = windowPixels();
    const int top = kWindowHeight - 240;
    // The corner block (627..640 x 469..480) lands in the small window's corner, halved.
    const Rgba corner = at(shot, 317, top + 237);
    EXPECT_EQ(corner.b, 255);
    EXPECT_EQ(corner.r, 128);
    const Rgba red = at(shot, 25, top + 10);
    EXPECT_EQ(red.r, 230);
    EXPECT_EQ(red.g, 51);
}
