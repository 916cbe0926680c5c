#include "graphics/Image.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "graphics/TextureManager.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;
using testsupport::readPixel;
using testsupport::Rgba;

namespace {

// An image with a sheet size but no texture: enough for the counter arithmetic.
Image sheet(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.frameWidth = static_cast<float>(width);
    image.frameHeight = static_cast<float>(height);
    return image;
}

int shownColumn(const Image& image) {
    return image.frameCounter / static_cast<int>(image.ticksPerFrame) + 1;
}

int shownRow(const Image& image) {
    return image.rowCounter / static_cast<int>(image.ticksPerFrame) + 1;
}

// ---- counters ----

TEST(ImageCounterTest, DefaultsMatchAFreshImage) {
    Image image;
    EXPECT_EQ(image.texture, 0u);
    EXPECT_EQ(image.ticksPerFrame, 4u);
    EXPECT_EQ(image.frameCounter, 1);
    EXPECT_EQ(image.rowCounter, 1);
    EXPECT_FALSE(image.flipped);
    EXPECT_EQ(image.columnTicks(), 0);
    EXPECT_EQ(image.rowTicks(), 0);
}

// The worked sheet of the walking character: 192 x 96, 6 x 3 frames, 16 ticks a frame.
TEST(ImageCounterTest, FirstColumnOfACycleIsOneTickShort) {
    Image image = sheet(192, 96);
    image.partition(6, 3);
    image.setTicksPerFrame(16);
    EXPECT_EQ(image.columnTicks(), 96);
    EXPECT_EQ(image.rowTicks(), 48);

    image.frameCounter = 95;
    image.nextFrame();
    ASSERT_EQ(image.frameCounter, 1);
    std::map<int, int> ticksPerColumn{{shownColumn(image), 1}};
    for (int call = 1; call < 95; ++call) {
        image.nextFrame();
        ++ticksPerColumn[shownColumn(image)];
    }
    EXPECT_EQ(image.frameCounter, 95);
    EXPECT_EQ(ticksPerColumn, (std::map<int, int>{{1, 15}, {2, 16}, {3, 16}, {4, 16}, {5, 16}, {6, 16}}));
    image.nextFrame();
    EXPECT_EQ(image.frameCounter, 1);

    image.setFrame(1);
    EXPECT_EQ(image.frameCounter, 0);  // so column 1 gets its full 16 ticks once
}

TEST(ImageCounterTest, FourColumnsCycleThreeThenFourCalls) {
    Image image = sheet(100, 10);
    image.partition(4, 1);
    ASSERT_EQ(image.columnTicks(), 16);
    std::vector<int> columns;
    for (int call = 0; call < 15; ++call) {
        image.nextFrame();
        columns.push_back(shownColumn(image));
    }
    EXPECT_EQ(columns, (std::vector<int>{1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 1}));
    EXPECT_EQ(image.frameCounter, 1);
}

TEST(ImageCounterTest, SkippingFramesLandsWhereRepeatedStepsDo) {
    // Sheets of 0 to 5 columns at 1 and 4 ticks per frame, counters inside, at and past the
    // wrap and below zero, skips across several cycles.
    for (int columns = 0; columns <= 5; ++columns) {
        for (int ticks : {1, 4}) {
            for (int start : {-7, 0, 1, 2, 3, 15, 16, 40}) {
                for (int64_t frames = 0; frames <= 45; ++frames) {
                    Image stepped = sheet(columns * 8, 8);
                    if (columns > 0) {
                        stepped.partition(columns, 1);
                    }
                    stepped.ticksPerFrame = static_cast<unsigned int>(ticks);
                    stepped.frameCounter = start;
                    Image skipped = stepped;
                    for (int64_t i = 0; i < frames; ++i) {
                        stepped.nextFrame();
                    }
                    skipped.skipFrames(frames);
                    ASSERT_EQ(skipped.frameCounter, stepped.frameCounter)
                        << columns << " columns, " << ticks << " ticks, from " << start << ", " << frames << " frames";
                }
            }
        }
    }
}

TEST(ImageCounterTest, SetFrameWrapsAndGuardsLowNumbers) {
    Image image = sheet(100, 10);
    image.partition(4, 1);
    image.setFrame(3);
    EXPECT_EQ(image.frameCounter, 8);
    image.setFrame(4);
    EXPECT_EQ(image.frameCounter, 12);
    image.setFrame(5);
    EXPECT_EQ(image.frameCounter, 1);
    image.setFrame(0);
    EXPECT_EQ(image.frameCounter, 0);
    image.setFrame(-7);
    EXPECT_EQ(image.frameCounter, 0);
    image.setFrame(INT_MAX);
    EXPECT_EQ(image.frameCounter, 1);
}

TEST(ImageCounterTest, SetRowWrapsAndLowNumbersShowRowOne) {
    Image image = sheet(192, 96);
    image.partition(6, 3);
    image.setTicksPerFrame(16);
    image.setRow(2);
    EXPECT_EQ(image.rowCounter, 16);
    image.setRow(3);
    EXPECT_EQ(image.rowCounter, 32);
    image.setRow(4);
    EXPECT_EQ(image.rowCounter, 1);
    for (int n : {0, -1, INT_MIN}) {
        image.setRow(3);
        image.setRow(n);
        EXPECT_GE(image.rowCounter, 0) << n;
        EXPECT_EQ(shownRow(image), 1) << n;
    }
}

TEST(ImageCounterTest, SetTicksPerFrameKeepsTheColumn) {
    Image image = sheet(100, 10);
    image.partition(4, 1);
    image.frameCounter = 9;
    image.rowCounter = 5;
    image.setTicksPerFrame(16);
    EXPECT_EQ(image.ticksPerFrame, 16u);
    EXPECT_EQ(image.frameCounter, 36);
    EXPECT_EQ(shownColumn(image), 3);
    EXPECT_EQ(image.rowCounter, 5);  // rows are not rescaled

    image.frameCounter = 13;
    image.setTicksPerFrame(12);  // 13 x 12 / 16 = 9.75, truncated
    EXPECT_EQ(image.frameCounter, 9);

    for (int n : {0, -3}) {
        image.setTicksPerFrame(n);
        EXPECT_EQ(image.ticksPerFrame, 12u);
        EXPECT_EQ(image.frameCounter, 9);
    }
}

TEST(ImageCounterTest, SetTicksPerFrameWrapsACounterPastTheSheet) {
    Image image = sheet(100, 10);
    image.partition(4, 1);
    image.frameCounter = 15;
    image.partition(2, 1);  // counters are left alone: 15 is now past the 8-tick wrap
    EXPECT_EQ(image.frameCounter, 15);
    image.setTicksPerFrame(8);
    EXPECT_EQ(image.frameCounter, 1);
}

TEST(ImageCounterTest, TicksTruncateTowardZero) {
    Image image = sheet(130, 10);
    image.partition(4, 1);
    EXPECT_EQ(image.frameWidth, 32.0f);
    EXPECT_EQ(image.columnTicks(), 16);  // 4.0625 x 4
    image.setTicksPerFrame(3);
    EXPECT_EQ(image.columnTicks(), 12);  // 12.1875
    image.frameHeight = 4.0f;
    EXPECT_EQ(image.rowTicks(), 7);  // 2.5 x 3 = 7.5
}

TEST(ImageCounterTest, AnImageWithoutPictureKeepsCountersAtOne) {
    Image image;
    image.nextFrame();
    EXPECT_EQ(image.frameCounter, 1);
    image.setFrame(3);
    EXPECT_EQ(image.frameCounter, 1);
    image.setRow(2);
    EXPECT_EQ(image.rowCounter, 1);
    image.setTicksPerFrame(9);
    EXPECT_EQ(image.frameCounter, 1);
}

TEST(ImageCounterTest, HugeTicksStayDefined) {
    Image image = sheet(16384, 16384);
    image.partition(16384, 16384);
    image.setTicksPerFrame(INT_MAX);
    EXPECT_EQ(image.columnTicks(), INT_MAX);
    image.setFrame(INT_MAX);
    EXPECT_EQ(image.frameCounter, 1);
    image.frameCounter = INT_MAX - 1;
    image.nextFrame();
    EXPECT_EQ(image.frameCounter, 1);
    image.setTicksPerFrame(1);
    EXPECT_EQ(image.frameCounter, 0);
}

// ---- partition ----

TEST(ImagePartitionTest, FrameSizeDropsTheRemainder) {
    Image image = sheet(100, 60);
    image.partition(4, 1);
    EXPECT_EQ(image.frameWidth, 25.0f);
    EXPECT_EQ(image.frameHeight, 60.0f);
    image = sheet(130, 60);
    image.frameCounter = 7;
    image.partition(4, 7);
    EXPECT_EQ(image.frameWidth, 32.0f);
    EXPECT_EQ(image.frameHeight, 8.0f);
    EXPECT_EQ(image.frameCounter, 7);
    image.partition(130, 60);
    EXPECT_EQ(image.frameWidth, 1.0f);
    EXPECT_EQ(image.frameHeight, 1.0f);
}

TEST(ImagePartitionTest, InvalidCutsAreLoggedAndIgnored) {
    Image image = sheet(100, 60);
    image.partition(4, 2);
    LogCapture log;
    for (auto cut : std::vector<std::pair<int, int>>{{0, 1}, {1, 0}, {-2, 1}, {200, 1}, {101, 1}, {1, 61}}) {
        log.clear();
        image.partition(cut.first, cut.second);
        EXPECT_EQ(log.text(), "invalid image partion\n") << cut.first << " x " << cut.second;
        EXPECT_EQ(image.frameWidth, 25.0f);
        EXPECT_EQ(image.frameHeight, 30.0f);
    }
    Image empty;
    log.clear();
    empty.partition(1, 1);
    EXPECT_EQ(log.text(), "invalid image partion\n");
}

// ---- loading and drawing in a real GL context ----

const int kFrame = 4;  // pixels, square frames of the test sheet
const int kColumns = 6;
const int kRows = 3;

// Every pixel of the sheet tells its column, row and place inside the frame.
Rgba sheetPixel(int column, int row, int fx, int fy) {
    return Rgba{static_cast<uint8_t>(40 * column + 5 * fy), static_cast<uint8_t>(80 * row),
                static_cast<uint8_t>(10 + 60 * fx), 255};
}

void writeSheet(const std::string& path) {
    int width = kColumns * kFrame;
    int height = kRows * kFrame;
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgba p = sheetPixel(x / kFrame + 1, y / kFrame + 1, x % kFrame, y % kFrame);
            pixels.insert(pixels.end(), {p.r, p.g, p.b, p.a});
        }
    }
    testsupport::writeRgbaPng(path, width, height, pixels);
}

const Rgba kBlack{0, 0, 0, 255};

::testing::AssertionResult frameAt(int left, int top, int column, int row, bool mirrored) {
    for (int fy = 0; fy < kFrame; ++fy) {
        for (int fx = 0; fx < kFrame; ++fx) {
            Rgba want = sheetPixel(column, row, mirrored ? kFrame - 1 - fx : fx, fy);
            Rgba got = readPixel(left + fx, top + fy);
            if (!(got == want)) {
                return ::testing::AssertionFailure()
                       << "pixel " << fx << "," << fy << " of column " << column << " row " << row << " is "
                       << int(got.r) << "," << int(got.g) << "," << int(got.b) << " not " << int(want.r) << ","
                       << int(want.g) << "," << int(want.b);
            }
        }
    }
    // The quad is exactly one frame: the pixels just outside stay clear.
    for (auto p : std::vector<std::pair<int, int>>{
             {left - 1, top}, {left + kFrame, top}, {left, top - 1}, {left, top + kFrame}}) {
        if (!(readPixel(p.first, p.second) == kBlack)) {
            return ::testing::AssertionFailure() << "drawn outside the frame at " << p.first << "," << p.second;
        }
    }
    return ::testing::AssertionSuccess();
}

class ImageDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureGlContext();
        writeSheet("sheet.png");
    }
    testsupport::ScopedTempDir dir;
};

TEST_F(ImageDrawTest, ConstructorLoadsTheWholePictureAsOneFrame) {
    LogCapture log;
    Image image("sheet.png");
    EXPECT_EQ(log.text(),
              "Requesting texture sheet.png ...  opened... successfully loaded.\n"
              "Requesting bounds for \"sheet.png\" ... found texture.\n");
    EXPECT_NE(image.texture, 0u);
    EXPECT_EQ(image.x, 0);
    EXPECT_EQ(image.y, 0);
    EXPECT_EQ(image.width, 24);
    EXPECT_EQ(image.height, 12);
    EXPECT_EQ(image.frameWidth, 24.0f);
    EXPECT_EQ(image.frameHeight, 12.0f);

    log.clear();
    Image again("sheet.png", 7, -3);
    EXPECT_EQ(log.text(),
              "Requesting texture sheet.png ... Texture already loaded.\n"
              "Requesting bounds for \"sheet.png\" ... found texture.\n");
    EXPECT_EQ(again.texture, image.texture);
    EXPECT_EQ(again.x, 7);
    EXPECT_EQ(again.y, -3);
}

// Also shows the PNG's top row at the top of the quad.
TEST_F(ImageDrawTest, FreshImageShowsTheWholeTextureAtItsPosition) {
    Image image("sheet.png", 3, 4);
    image.draw(10, 20);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 24; ++x) {
            Rgba want = sheetPixel(x / kFrame + 1, y / kFrame + 1, x % kFrame, y % kFrame);
            ASSERT_EQ(readPixel(13 + x, 24 + y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(readPixel(12, 24), kBlack);
    EXPECT_EQ(readPixel(13, 23), kBlack);
    EXPECT_EQ(readPixel(37, 24), kBlack);
    EXPECT_EQ(readPixel(13, 36), kBlack);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_TEXTURE);
}

TEST_F(ImageDrawTest, SheetShowsTheFrameOfTheCounters) {
    Image image("sheet.png");
    image.partition(kColumns, kRows);
    image.setTicksPerFrame(16);
    for (int row = 1; row <= kRows; ++row) {
        for (int column = 1; column <= kColumns; ++column) {
            testsupport::clearScreen();
            image.setFrame(column);
            image.setRow(row);
            image.draw(50, 60);
            EXPECT_TRUE(frameAt(50, 60, column, row, false));
        }
    }
    // Counter 15 is still column 1; 16 is column 2.
    image.setRow(1);
    image.frameCounter = 15;
    testsupport::clearScreen();
    image.draw(50, 60);
    EXPECT_TRUE(frameAt(50, 60, 1, 1, false));
    image.nextFrame();
    testsupport::clearScreen();
    image.draw(50, 60);
    EXPECT_TRUE(frameAt(50, 60, 2, 1, false));
}

TEST_F(ImageDrawTest, MirroredDrawIsTheSameFrameMirrored) {
    Image image("sheet.png");
    image.partition(kColumns, kRows);
    image.flipped = true;
    for (int row = 1; row <= kRows; ++row) {
        for (int column = 1; column <= kColumns; ++column) {
            testsupport::clearScreen();
            image.setFrame(column);
            image.setRow(row);
            image.draw(100, 30);
            EXPECT_TRUE(frameAt(100, 30, column, row, true));
        }
    }
}

TEST_F(ImageDrawTest, NumbersPastTheSheetWrapAroundIt) {
    Image image("sheet.png");
    image.partition(kColumns, kRows);
    image.frameCounter = 7 * 4;  // column 8 of 6
    image.rowCounter = 3 * 4;    // row 4 of 3
    image.draw(40, 40);
    EXPECT_TRUE(frameAt(40, 40, 2, 1, false));

    testsupport::clearScreen();
    image.flipped = true;
    image.draw(40, 40);
    EXPECT_TRUE(frameAt(40, 40, 2, 1, true));

    // Column 12000003 is column 3 again; unwrapped, its texture coordinates would be far
    // beyond what a float resolves to a texel.
    testsupport::clearScreen();
    image.flipped = false;
    image.frameCounter = 4 * 12000002;
    image.rowCounter = 4 * 3000001;  // row 3000002 is row 2
    image.draw(40, 40);
    EXPECT_TRUE(frameAt(40, 40, 3, 2, false));
}

// Frames of 3 on a 10-pixel sheet: column 4 would end at pixel 12, so it wraps to end at 2
// and shows the sheet's last pixel followed by its first two.
TEST_F(ImageDrawTest, FrameThatDoesNotDivideTheSheetWraps) {
    std::vector<unsigned char> pixels;
    for (int x = 0; x < 10; ++x) {
        pixels.insert(pixels.end(), {static_cast<unsigned char>(20 * x + 10), 0, 0, 255});
    }
    testsupport::writeRgbaPng("strip.png", 10, 1, pixels);
    Image image("strip.png");
    image.partition(3, 1);
    image.setFrame(4);
    ASSERT_EQ(shownColumn(image), 4);
    image.draw(5, 5);
    EXPECT_EQ(readPixel(5, 5).r, 190);
    EXPECT_EQ(readPixel(6, 5).r, 10);
    EXPECT_EQ(readPixel(7, 5).r, 30);
    EXPECT_EQ(readPixel(8, 5), kBlack);
}

TEST_F(ImageDrawTest, TintMultipliesEveryTexel) {
    Image image("sheet.png");
    image.partition(kColumns, kRows);
    image.tint[1] = 0.0f;
    image.draw(0, 0);
    Rgba want = sheetPixel(1, 1, 2, 3);
    want.g = 0;
    EXPECT_EQ(readPixel(2, 3), want);
}

TEST_F(ImageDrawTest, LoadRebindsButKeepsTheAnimation) {
    std::vector<unsigned char> pixels(5 * 7 * 4, 255);
    testsupport::writeRgbaPng("other.png", 5, 7, pixels);
    Image image("sheet.png", 9, 9);
    image.partition(kColumns, kRows);
    image.setTicksPerFrame(8);
    image.frameCounter = 3;
    image.rowCounter = 2;
    image.flipped = true;
    image.tint[0] = 0.5f;
    LogCapture log;
    image.load("other.png");
    EXPECT_EQ(log.text(),
              "Requesting texture other.png ...  opened... successfully loaded.\n"
              "Requesting bounds for \"other.png\" ... found texture.\n");
    EXPECT_EQ(image.texture, TextureManager::instance()->textures["other.png"].id);
    EXPECT_EQ(image.x, 0);
    EXPECT_EQ(image.y, 0);
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.height, 7);
    EXPECT_EQ(image.frameWidth, 5.0f);
    EXPECT_EQ(image.frameHeight, 7.0f);
    EXPECT_EQ(image.ticksPerFrame, 8u);
    EXPECT_EQ(image.frameCounter, 3);
    EXPECT_EQ(image.rowCounter, 2);
    EXPECT_TRUE(image.flipped);
    EXPECT_EQ(image.tint[0], 0.5f);
}

TEST_F(ImageDrawTest, PictureThatFailsDrawsNothing) {
    LogCapture log;
    Image image("missing.png");
    EXPECT_EQ(log.text(),
              "Requesting texture missing.png ... Texture load error!\n\n"
              "Requesting bounds for \"missing.png\" ... unknown texture.\n");
    EXPECT_EQ(image.texture, 0u);
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.frameWidth, 0.0f);
    image.nextFrame();
    image.draw(10, 10);
    image.flipped = true;
    image.draw(10, 10);
    for (int y = 8; y < 13; ++y) {
        for (int x = 8; x < 13; ++x) {
            EXPECT_EQ(readPixel(x, y), kBlack);
        }
    }
}

}  // namespace
