#include "graphics/TextureManager.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "TestPng.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;
using testsupport::ScopedTempDir;

namespace {

TextureManager* manager() {
    return TextureManager::instance();
}

void writeSolidPng(const std::string& path, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4, 200);
    testsupport::writeRgbaPng(path, width, height, pixels);
}

void expectBounds(const Bounds& b, int x, int y, int w, int h) {
    EXPECT_EQ(b.x, x);
    EXPECT_EQ(b.y, y);
    EXPECT_EQ(b.w, w);
    EXPECT_EQ(b.h, h);
}

const char* kLoadError = "Texture load error!\n\n";

class TextureManagerTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ensureGlContext(); }
    ScopedTempDir dir;
};

TEST_F(TextureManagerTest, FirstRequestLoadsAndLogsOneLine) {
    writeSolidPng("sprites/a.png", 5, 3);
    LogCapture log;
    unsigned int id = manager()->getTexture("sprites/a.png");
    EXPECT_NE(id, 0u);
    EXPECT_EQ(log.text(), "Requesting texture sprites/a.png ...  opened... successfully loaded.\n");
    ASSERT_EQ(manager()->textures.count("sprites/a.png"), 1u);
    EXPECT_EQ(manager()->textures["sprites/a.png"].id, id);
    EXPECT_TRUE(glIsTexture(id));
}

// Sprites are drawn with negative texture coordinates and rely on the default wrap.
TEST_F(TextureManagerTest, UploadLeavesTheDesignedGlState) {
    writeSolidPng("a.png", 3, 5);
    unsigned int id = manager()->getTexture("a.png");
    ASSERT_NE(id, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), id);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint value = 0;
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    // Not a power of two, uploaded at its own size.
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 3);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &value);
    EXPECT_EQ(value, 5);
}

TEST_F(TextureManagerTest, SecondRequestIsCached) {
    writeSolidPng("a.png", 2, 2);
    unsigned int first = manager()->getTexture("a.png");
    ASSERT_NE(first, 0u);
    LogCapture log;
    EXPECT_EQ(manager()->getTexture("a.png"), first);
    EXPECT_EQ(log.text(), "Requesting texture a.png ... Texture already loaded.\n");
    EXPECT_EQ(manager()->textures.size(), 1u);
}

TEST_F(TextureManagerTest, TwoNamesForOneFileGiveTwoTextures) {
    writeSolidPng("a.png", 2, 2);
    unsigned int plain = manager()->getTexture("a.png");
    unsigned int dotted = manager()->getTexture("./a.png");
    EXPECT_NE(plain, 0u);
    EXPECT_NE(dotted, 0u);
    EXPECT_NE(plain, dotted);
    EXPECT_EQ(manager()->textures.size(), 2u);
}

TEST_F(TextureManagerTest, MissingFileLoadsOnceItAppears) {
    LogCapture log;
    EXPECT_EQ(manager()->getTexture("late.png"), 0u);
    EXPECT_EQ(log.text(), std::string("Requesting texture late.png ... ") + kLoadError);
    EXPECT_TRUE(manager()->textures.empty());

    writeSolidPng("late.png", 4, 6);
    log.clear();
    EXPECT_NE(manager()->getTexture("late.png"), 0u);
    EXPECT_EQ(log.text(), "Requesting texture late.png ...  opened... successfully loaded.\n");
    expectBounds(manager()->getBounds("late.png"), 0, 0, 4, 6);
}

TEST_F(TextureManagerTest, BoundsOfKnownAndUnknownNames) {
    writeSolidPng("b.png", 7, 9);
    LogCapture log;
    expectBounds(manager()->getBounds("b.png"), 0, 0, 0, 0);
    EXPECT_EQ(log.text(), "Requesting bounds for \"b.png\" ... unknown texture.\n");
    EXPECT_TRUE(manager()->textures.empty());

    ASSERT_NE(manager()->getTexture("b.png"), 0u);
    log.clear();
    expectBounds(manager()->getBounds("b.png"), 0, 0, 7, 9);
    EXPECT_EQ(log.text(), "Requesting bounds for \"b.png\" ... found texture.\n");
}

// Each of these opens but does not decode: the log shows " opened... " then the error.
TEST_F(TextureManagerTest, FilesThatOpenButDoNotDecode) {
    std::string good = [] {
        writeSolidPng("good.png", 3, 3);
        return testsupport::readFile("good.png");
    }();
    size_t idat = good.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    std::string corrupt = good;
    corrupt[idat + 8] ^= 0x55;
    testsupport::writeFile("text.png", "just some text, no picture\n");
    testsupport::writeFile("empty.png", "");
    testsupport::writeFile("truncated.png", good.substr(0, idat + 10));
    testsupport::writeFile("corrupt.png", corrupt);
    ASSERT_EQ(mkdir("folder.png", 0755), 0);

    for (const char* name : {"text.png", "empty.png", "truncated.png", "corrupt.png", "folder.png"}) {
        LogCapture log;
        EXPECT_EQ(manager()->getTexture(name), 0u) << name;
        EXPECT_EQ(log.text(), std::string("Requesting texture ") + name + " ...  opened... " + kLoadError) << name;
    }
    EXPECT_TRUE(manager()->textures.empty());
}

TEST_F(TextureManagerTest, OversizedPictureIsALoadError) {
    TestPng tall;
    tall.colorType = PNG_COLOR_TYPE_GRAY;
    tall.bitDepth = 1;
    tall.height = 100000;
    tall.rows.assign(100000, std::vector<png_byte>{0x80});
    tall.write("tall.png");
    LogCapture log;
    EXPECT_EQ(manager()->getTexture("tall.png"), 0u);
    EXPECT_EQ(log.text(), std::string("Requesting texture tall.png ...  opened... ") + kLoadError);
    EXPECT_TRUE(manager()->textures.empty());
    expectBounds(manager()->getBounds("tall.png"), 0, 0, 0, 0);
}

// Nothing a level names can hang the loader or take gigabytes: a FIFO with no writer, an endless
// device and a small file of empty rows claiming 16384 x 16384 pixels all fail with the usual
// lines, and the reason goes to standard error.
TEST_F(TextureManagerTest, FilesThatCannotBePicturesAreRefusedAtOnce) {
    ASSERT_EQ(mkfifo("fifo.png", 0644), 0);
    TestPng huge;
    huge.colorType = PNG_COLOR_TYPE_GRAY;
    huge.bitDepth = 1;
    huge.width = 16384;
    huge.height = 16384;
    huge.rows.assign(16384, std::vector<png_byte>(16384 / 8, 0));
    huge.write("huge.png");

    for (const std::string name : {"fifo.png", "/dev/zero", "huge.png"}) {
        LogCapture log;
        testing::internal::CaptureStderr();
        EXPECT_EQ(manager()->getTexture(name), 0u) << name;
        const std::string reason = testing::internal::GetCapturedStderr();
        EXPECT_EQ(log.text(), "Requesting texture " + name + " ...  opened... " + kLoadError);
        EXPECT_NE(reason.find("picture: cannot use \"" + name + "\""), std::string::npos) << reason;
    }
    EXPECT_TRUE(manager()->textures.empty());
}

TEST_F(TextureManagerTest, EveryColourTypeLoads) {
    TestPng palette;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.bitDepth = 1;
    palette.width = 9;
    palette.palette = {{0, 0, 0}, {255, 255, 255}};
    palette.paletteAlpha = {0};
    palette.rows = {{0xFF, 0x80}};
    palette.write("palette.png");

    TestPng grey16;
    grey16.colorType = PNG_COLOR_TYPE_GRAY;
    grey16.bitDepth = 16;
    grey16.width = 2;
    grey16.height = 3;
    grey16.interlaced = true;
    grey16.rows.assign(3, std::vector<png_byte>(4, 0x33));
    grey16.write("grey16.png");

    TestPng greyAlpha;
    greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.width = 1;
    greyAlpha.height = 2;
    greyAlpha.rows = {{1, 2}, {3, 4}};
    greyAlpha.write("greyalpha.png");

    TestPng rgb;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.width = 5;
    rgb.rows = {std::vector<png_byte>(15, 9)};
    rgb.write("rgb.png");

    struct Case {
        const char* name;
        int w, h;
    };
    for (Case c :
         {Case{"palette.png", 9, 1}, Case{"grey16.png", 2, 3}, Case{"greyalpha.png", 1, 2}, Case{"rgb.png", 5, 1}}) {
        EXPECT_NE(manager()->getTexture(c.name), 0u) << c.name;
        expectBounds(manager()->getBounds(c.name), 0, 0, c.w, c.h);
    }
}

TEST_F(TextureManagerTest, ReleaseAllDeletesEveryTexture) {
    writeSolidPng("a.png", 1, 1);
    writeSolidPng("b.png", 1, 1);
    unsigned int a = manager()->getTexture("a.png");
    unsigned int b = manager()->getTexture("b.png");
    ASSERT_TRUE(glIsTexture(a));
    ASSERT_TRUE(glIsTexture(b));
    manager()->releaseAll();
    EXPECT_FALSE(glIsTexture(a));
    EXPECT_FALSE(glIsTexture(b));
    EXPECT_TRUE(manager()->textures.empty());
    LogCapture log;
    EXPECT_NE(manager()->getTexture("a.png"), 0u);
    EXPECT_EQ(log.text(), "Requesting texture a.png ...  opened... successfully loaded.\n");
}

TEST(TextureManagerScreenSize, OnlyZeroIsReplaced) {
    TextureManager* m = TextureManager::instance();
    EXPECT_EQ(m->screenWidth, 640);
    EXPECT_EQ(m->screenHeight, 480);
    m->setScreenWidth(0);
    m->setScreenHeight(0);
    EXPECT_EQ(m->screenWidth, 1);
    EXPECT_EQ(m->screenHeight, 1);
    m->setScreenWidth(-5);
    m->setScreenHeight(800);
    EXPECT_EQ(m->screenWidth, -5);
    EXPECT_EQ(m->screenHeight, 800);
}

}  // namespace
