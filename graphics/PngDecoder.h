#pragma once
#include <png.h>

#include <cstddef>
#include <cstdio>
#include <string>

// Decodes one PNG read sequentially from an open file into 8-bit RGBA, bottom row first (the
// row order OpenGL expects). Every colour type, bit depth, tRNS and interlacing are converted.
// Owns libpng's read structures and frees them on destruction; never owns or closes the file.
// Every failure is a false return; libpng's own errors and warnings go to stderr, each naming the file.
class PngDecoder {
public:
    static constexpr int kMaxSide = 16384;  // pixels; anything larger is no sprite
    static constexpr int kBytesPerPixel = 4;
    // Decoded RGBA bytes one picture may take (64 MiB): a small file of empty rows can claim a
    // gigabyte, so the header is checked against this before any row is decoded.
    static constexpr long long kMaxPixelBytes = 64LL << 20;

    // maxSide: the largest width or height accepted, in pixels (at most kMaxSide is used);
    // name: the file as libpng's messages call it.
    PngDecoder(FILE* file, int maxSide, std::string name = "");
    ~PngDecoder();
    PngDecoder(const PngDecoder&) = delete;
    PngDecoder& operator=(const PngDecoder&) = delete;

    // Checks the signature, sets up libpng, reads the header and requests the RGBA conversion.
    // False for a file that is not a PNG, a chunk before the image data that claims more bytes
    // than the file holds, a corrupt header, a side larger than the limit or more than
    // kMaxPixelBytes of pixels (then tooLarge() is true).
    bool readHeader();
    bool tooLarge() const { return oversized; }
    int width() const { return imageWidth; }
    int height() const { return imageHeight; }
    size_t rowBytes() const { return rowSize; }
    size_t imageBytes() const { return rowSize * static_cast<size_t>(imageHeight); }

    // Decodes every row into pixels, which holds imageBytes() bytes: the image's top row goes
    // last. Only after a successful readHeader; false on corrupt or truncated data.
    bool readImage(unsigned char* pixels);

private:
    bool chunksFitTheFile();
    bool setUpReader();
    bool readInfoAndConvert();
    bool readRows(png_bytepp rows);
    static void onError(png_structp png, png_const_charp message);
    static void onWarning(png_structp png, png_const_charp message);

    FILE* file;
    png_uint_32 limit;
    std::string fileName;
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_infop endInfo = nullptr;
    int imageWidth = 0;
    int imageHeight = 0;
    size_t rowSize = 0;
    bool headerRead = false;
    bool oversized = false;
};
