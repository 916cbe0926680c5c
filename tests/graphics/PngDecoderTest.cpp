#include "graphics/PngDecoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "TestPng.h"

namespace {

struct Decoded {
    bool headerOk = false;
    bool imageOk = false;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // bottom row first, as the decoder lays them out

    // The RGBA pixel at (x, y), y counted from the image's top row.
    std::vector<int> at(int x, int y) const {
        size_t offset = (static_cast<size_t>(height - 1 - y) * width + x) * 4;
        return {pixels[offset], pixels[offset + 1], pixels[offset + 2], pixels[offset + 3]};
    }
};

Decoded decode(std::string bytes, int maxSide = PngDecoder::kMaxSide, const std::string& name = "") {
    Decoded out;
    if (bytes.empty()) {
        bytes.push_back('\0');  // fmemopen wants a buffer; one zero byte is no PNG either
    }
    FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    if (file == nullptr) {
        ADD_FAILURE() << "fmemopen failed";
        return out;
    }
    {
        PngDecoder decoder(file, maxSide, name);
        out.headerOk = decoder.readHeader();
        if (out.headerOk) {
            out.width = decoder.width();
            out.height = decoder.height();
            EXPECT_EQ(decoder.rowBytes(), static_cast<size_t>(out.width) * 4);
            out.pixels.assign(decoder.imageBytes(), 0xAB);
            out.imageOk = decoder.readImage(out.pixels.data());
        }
    }
    std::fclose(file);
    return out;
}

std::vector<int> rgba(int r, int g, int b, int a) {
    return {r, g, b, a};
}

// A 3 x 2 RGBA picture whose every pixel differs.
TestPng rgbaPicture() {
    TestPng png;
    png.width = 3;
    png.height = 2;
    png.rows = {{10, 20, 30, 255, 40, 50, 60, 200, 70, 80, 90, 0},
                {100, 110, 120, 255, 130, 140, 150, 128, 160, 170, 180, 1}};
    return png;
}

TEST(PngDecoderTest, RgbaPassesThroughWithTheBottomRowFirst) {
    Decoded d = decode(rgbaPicture().encode());
    ASSERT_TRUE(d.headerOk);
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.width, 3);
    EXPECT_EQ(d.height, 2);
    std::vector<unsigned char> expected = {100, 110, 120, 255, 130, 140, 150, 128, 160, 170, 180, 1,
                                           10,  20,  30,  255, 40,  50,  60,  200, 70,  80,  90,  0};
    EXPECT_EQ(d.pixels, expected);
}

TEST(PngDecoderTest, RgbGetsOpaqueAlpha) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_RGB;
    png.width = 2;
    png.rows = {{1, 2, 3, 250, 251, 252}};
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0), rgba(1, 2, 3, 255));
    EXPECT_EQ(d.at(1, 0), rgba(250, 251, 252, 255));
}

TEST(PngDecoderTest, LowBitGreyExpandsToFullRange) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 2;
    png.width = 4;
    png.rows = {{0x1B}};  // samples 0, 1, 2, 3
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0), rgba(0, 0, 0, 255));
    EXPECT_EQ(d.at(1, 0), rgba(85, 85, 85, 255));
    EXPECT_EQ(d.at(2, 0), rgba(170, 170, 170, 255));
    EXPECT_EQ(d.at(3, 0), rgba(255, 255, 255, 255));
}

TEST(PngDecoderTest, OneBitGreyWithTransparentColour) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 1;
    png.width = 3;
    png.height = 2;
    png.rows = {{0xA0}, {0x40}};  // top 1 0 1, bottom 0 1 0
    png.hasTransparentColor = true;
    png.transparentColor.gray = 0;
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0), rgba(255, 255, 255, 255));
    EXPECT_EQ(d.at(1, 0)[3], 0);
    EXPECT_EQ(d.at(0, 1)[3], 0);
    EXPECT_EQ(d.at(1, 1), rgba(255, 255, 255, 255));
}

TEST(PngDecoderTest, GreyWithAlpha) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    png.width = 2;
    png.rows = {{7, 9, 200, 255}};
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0), rgba(7, 7, 7, 9));
    EXPECT_EQ(d.at(1, 0), rgba(200, 200, 200, 255));
}

// 16-bit samples are scaled, not brightened as by a linear-light conversion.
TEST(PngDecoderTest, SixteenBitGreyScalesToEightBits) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 16;
    png.width = 3;
    png.rows = {{0x80, 0x80, 0xFF, 0xFF, 0x00, 0x00}};
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0), rgba(128, 128, 128, 255));
    EXPECT_EQ(d.at(1, 0), rgba(255, 255, 255, 255));
    EXPECT_EQ(d.at(2, 0), rgba(0, 0, 0, 255));
}

TEST(PngDecoderTest, SixteenBitRgbaScalesEveryChannel) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_RGBA;
    png.bitDepth = 16;
    png.rows = {{0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00, 0x40, 0x40}};
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0), rgba(255, 128, 0, 64));
}

TEST(PngDecoderTest, SixteenBitRgbWithTransparentColour) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_RGB;
    png.bitDepth = 16;
    png.width = 2;
    png.rows = {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80}};
    png.hasTransparentColor = true;
    png.transparentColor.red = 0x1234;
    png.transparentColor.green = 0x5678;
    png.transparentColor.blue = 0x9ABC;
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0)[3], 0);
    EXPECT_EQ(d.at(1, 0), rgba(255, 0, 128, 255));
}

TEST(PngDecoderTest, PaletteWithShortTransparencyTable) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_PALETTE;
    png.bitDepth = 4;
    png.width = 3;
    png.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    png.paletteAlpha = {0, 77};  // entry 2 stays opaque
    png.rows = {{0x01, 0x20}};
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0), rgba(255, 0, 0, 0));
    EXPECT_EQ(d.at(1, 0), rgba(0, 255, 0, 77));
    EXPECT_EQ(d.at(2, 0), rgba(0, 0, 255, 255));
}

TEST(PngDecoderTest, PaletteWithoutTransparencyIsOpaque) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_PALETTE;
    png.bitDepth = 8;
    png.width = 2;
    png.palette = {{1, 2, 3}, {4, 5, 6}};
    png.rows = {{1, 0}};
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    EXPECT_EQ(d.at(0, 0), rgba(4, 5, 6, 255));
    EXPECT_EQ(d.at(1, 0), rgba(1, 2, 3, 255));
}

// Every pixel distinct, so a pass of the interlacing put in the wrong place shows.
TEST(PngDecoderTest, InterlacedDecodesLikePlain) {
    for (int colorType : {PNG_COLOR_TYPE_RGBA, PNG_COLOR_TYPE_RGB}) {
        TestPng png;
        png.colorType = colorType;
        png.width = 11;
        png.height = 9;
        int channels = colorType == PNG_COLOR_TYPE_RGBA ? 4 : 3;
        for (int y = 0; y < png.height; ++y) {
            std::vector<png_byte> row;
            for (int x = 0; x < png.width; ++x) {
                for (int c = 0; c < channels; ++c) {
                    row.push_back(static_cast<png_byte>(y * 23 + x * 5 + c * 61));
                }
            }
            png.rows.push_back(row);
        }
        Decoded plain = decode(png.encode());
        png.interlaced = true;
        Decoded interlaced = decode(png.encode());
        ASSERT_TRUE(plain.imageOk);
        ASSERT_TRUE(interlaced.imageOk);
        EXPECT_EQ(plain.pixels, interlaced.pixels) << "colour type " << colorType;
        EXPECT_EQ(interlaced.at(10, 8)[0], (8 * 23 + 10 * 5) % 256);
    }
}

TEST(PngDecoderTest, InterlacedPaletteDecodes) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_PALETTE;
    png.bitDepth = 2;
    png.width = 9;
    png.height = 9;
    png.interlaced = true;
    png.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    for (int y = 0; y < png.height; ++y) {
        std::vector<png_byte> row(3, 0);
        for (int x = 0; x < png.width; ++x) {
            int index = (x + y) % 4;
            row[x / 4] |= static_cast<png_byte>(index << (6 - 2 * (x % 4)));
        }
        png.rows.push_back(row);
    }
    Decoded d = decode(png.encode());
    ASSERT_TRUE(d.imageOk);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            png_color c = png.palette[(x + y) % 4];
            EXPECT_EQ(d.at(x, y), rgba(c.red, c.green, c.blue, 255)) << x << "," << y;
        }
    }
}

TEST(PngDecoderTest, TallPictureIsRefusedAtTheHeader) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 1;
    png.height = 100000;
    png.rows.assign(100000, std::vector<png_byte>{0});
    Decoded d = decode(png.encode());
    EXPECT_FALSE(d.headerOk);
}

TEST(PngDecoderTest, SideLimitIsInclusive) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 8;
    png.width = 17;
    png.height = 16;
    png.rows.assign(16, std::vector<png_byte>(17, 0));
    EXPECT_FALSE(decode(png.encode(), 16).headerOk);
    EXPECT_TRUE(decode(png.encode(), 17).imageOk);

    png.width = 16;
    png.rows.assign(16, std::vector<png_byte>(16, 0));
    EXPECT_TRUE(decode(png.encode(), 16).imageOk);
    png.height = 17;
    png.rows.assign(17, std::vector<png_byte>(16, 0));
    EXPECT_FALSE(decode(png.encode(), 16).headerOk);
}

TEST(PngDecoderTest, LimitNeverExceedsTheLargestTexture) {
    TestPng png;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 1;
    png.width = PngDecoder::kMaxSide + 1;
    png.rows.assign(1, std::vector<png_byte>((png.width + 7) / 8, 0));
    EXPECT_FALSE(decode(png.encode(), PngDecoder::kMaxSide * 2).headerOk);
    EXPECT_FALSE(decode(png.encode(), 0).headerOk);
    png.width = PngDecoder::kMaxSide;
    png.rows.assign(1, std::vector<png_byte>((png.width + 7) / 8, 0));
    EXPECT_TRUE(decode(png.encode(), 0).imageOk);
}

TEST(PngDecoderTest, NotAPngIsRefused) {
    EXPECT_FALSE(decode("").headerOk);
    EXPECT_FALSE(decode("GIF89a this is not a png").headerOk);
    std::string signatureOnly = rgbaPicture().encode().substr(0, 8);
    EXPECT_FALSE(decode(signatureOnly.substr(0, 7)).headerOk);
    EXPECT_FALSE(decode(signatureOnly).headerOk);
}

// Only the closing IEND chunk (12 bytes) is never read; any shorter file fails cleanly.
TEST(PngDecoderTest, EveryTruncationFailsCleanly) {
    std::string whole = rgbaPicture().encode();
    const size_t iendSize = 12;
    for (size_t length = 0; length < whole.size(); ++length) {
        Decoded d = decode(whole.substr(0, length));
        bool ok = d.headerOk && d.imageOk;
        EXPECT_EQ(ok, length >= whole.size() - iendSize) << "length " << length;
    }
}

TEST(PngDecoderTest, CorruptBytesFailCleanly) {
    std::string whole = rgbaPicture().encode();
    size_t idat = whole.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    std::string badHeader = whole;
    badHeader[16] ^= 0x01;  // a byte of IHDR's width: its CRC no longer matches
    EXPECT_FALSE(decode(badHeader).headerOk);

    std::string badData = whole;
    badData[idat + 6] ^= 0x40;
    Decoded d = decode(badData);
    EXPECT_TRUE(d.headerOk);
    EXPECT_FALSE(d.imageOk);
}

// With many pictures loading, libpng's own complaints must say which file they are about.
TEST(PngDecoderTest, LibpngMessagesNameTheFile) {
    std::string bad = rgbaPicture().encode();
    bad[16] ^= 0x01;
    std::ostringstream errors;
    std::streambuf* saved = std::cerr.rdbuf(errors.rdbuf());
    const Decoded d = decode(bad, PngDecoder::kMaxSide, "sprites/bad.png");
    std::cerr.rdbuf(saved);
    EXPECT_FALSE(d.headerOk);
    EXPECT_EQ(errors.str().rfind("libpng error: sprites/bad.png: ", 0), 0u) << errors.str();
}

// libpng allocates and clears a chunk's declared length before reading it: 100 bytes could cost
// gigabytes. Chunks after the image data are never read, so they may claim what they like.
TEST(PngDecoderTest, ChunkClaimingMoreThanTheFileHoldsIsRefusedBeforeLibpngReadsIt) {
    const std::string whole = rgbaPicture().encode();
    const size_t afterHeader = 8 + 8 + 13 + 4;
    const std::string claim = std::string("\x40\0\0\0tEXt", 8) + "Comment";
    std::ostringstream errors;
    std::streambuf* saved = std::cerr.rdbuf(errors.rdbuf());
    const Decoded early = decode(whole.substr(0, afterHeader) + claim, PngDecoder::kMaxSide, "big.png");
    const Decoded late = decode(whole.substr(0, whole.size() - 12) + claim + whole.substr(whole.size() - 12));
    std::cerr.rdbuf(saved);
    EXPECT_FALSE(early.headerOk);
    EXPECT_EQ(errors.str(),
              "picture: cannot use \"big.png\": its tEXt chunk claims 1073741824 bytes, more than the "
              "file holds\n");
    EXPECT_TRUE(late.headerOk && late.imageOk);
}

TEST(PngDecoderTest, ReadImageNeedsAHeader) {
    std::string bytes = "not a png at all";
    FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<unsigned char> pixels(64);
    {
        PngDecoder decoder(file, PngDecoder::kMaxSide);
        EXPECT_FALSE(decoder.readImage(pixels.data()));
        EXPECT_FALSE(decoder.readHeader());
        EXPECT_FALSE(decoder.readImage(pixels.data()));
    }
    std::fclose(file);
}

}  // namespace
