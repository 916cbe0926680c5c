#include "graphics/PngDecoder.h"

#include <csetjmp>
#include <cstdint>
#include <iostream>
#include <memory>
#include <new>
#include <utility>

namespace {
constexpr int kSignatureBytes = 8;
constexpr png_uint_32 kOpaqueAlpha = 0xFF;
// A chunk is its length and type (4 bytes each), its data, then a 4-byte CRC.
constexpr long kChunkHeaderBytes = 8;
constexpr long kChunkCrcBytes = 4;

uint32_t bigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}
}  // namespace

PngDecoder::PngDecoder(FILE* source, int maxSide, std::string name)
    : file(source), limit(maxSide > 0 && maxSide < kMaxSide ? maxSide : kMaxSide), fileName(std::move(name)) {}

// libpng's default handlers print the message alone; with several pictures loading, the
// message must say which file it is about. An error handler must not return to libpng.
void PngDecoder::onError(png_structp png, png_const_charp message) {
    const auto* decoder = static_cast<const PngDecoder*>(png_get_error_ptr(png));
    std::cerr << "libpng error: " << decoder->fileName << ": " << message << "\n";
    png_longjmp(png, 1);
}

void PngDecoder::onWarning(png_structp png, png_const_charp message) {
    const auto* decoder = static_cast<const PngDecoder*>(png_get_error_ptr(png));
    std::cerr << "libpng warning: " << decoder->fileName << ": " << message << "\n";
}

PngDecoder::~PngDecoder() {
    png_destroy_read_struct(&png, &info, &endInfo);
}

bool PngDecoder::readHeader() {
    png_byte signature[kSignatureBytes];
    if (std::fread(signature, 1, kSignatureBytes, file) != kSignatureBytes ||
        png_sig_cmp(signature, 0, kSignatureBytes) != 0) {
        return false;
    }
    headerRead = chunksFitTheFile() && setUpReader() && readInfoAndConvert();
    return headerRead;
}

// libpng allocates and clears an ancillary chunk's whole declared length before it reads the
// data, so a file of a hundred bytes can cost gigabytes and seconds. The chunks libpng reads
// here (those before the image data; the rest are never read) must fit in the file.
bool PngDecoder::chunksFitTheFile() {
    const long start = std::ftell(file);
    if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return true;
    }
    const long end = std::ftell(file);
    bool fits = true;
    for (long at = start; fits && end - at >= kChunkHeaderBytes;) {
        unsigned char header[kChunkHeaderBytes];
        if (std::fseek(file, at, SEEK_SET) != 0 || std::fread(header, 1, sizeof header, file) != sizeof header) {
            break;
        }
        const std::string type(reinterpret_cast<const char*>(header) + 4, 4);
        if (type == "IDAT" || type == "IEND") {
            break;
        }
        const long long length = bigEndian32(header);
        fits = length <= end - at - kChunkHeaderBytes - kChunkCrcBytes;
        if (!fits) {
            std::cerr << "picture: cannot use \"" << fileName << "\": its " << type << " chunk claims " << length
                      << " bytes, more than the file holds\n";
        }
        at += kChunkHeaderBytes + length + kChunkCrcBytes;
    }
    std::fseek(file, start, SEEK_SET);
    return fits;
}

bool PngDecoder::setUpReader() {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
    if (png == nullptr) {
        return false;
    }
    info = png_create_info_struct(png);
    if (info == nullptr) {
        return false;
    }
    endInfo = png_create_info_struct(png);
    return endInfo != nullptr;
}

// libpng longjmps back here on any error, skipping destructors: this function holds no
// object that has one, and everything it learns goes into members.
bool PngDecoder::readInfoAndConvert() {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_init_io(png, file);
    png_set_sig_bytes(png, kSignatureBytes);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // A fuzzer cannot forge CRCs: its build takes every chunk as it stands, to reach what follows.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
    // Refuses an oversized picture at the header, before anything large is allocated.
    png_set_user_limits(png, limit, limit);
    png_read_info(png, info);

    png_uint_32 pngWidth = 0;
    png_uint_32 pngHeight = 0;
    int bitDepth = 0;
    int colorType = 0;
    png_get_IHDR(png, info, &pngWidth, &pngHeight, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    imageWidth = static_cast<int>(pngWidth);
    imageHeight = static_cast<int>(pngHeight);
    oversized = static_cast<long long>(pngWidth) * pngHeight * kBytesPerPixel > kMaxPixelBytes;
    if (oversized) {
        return false;
    }

    // The upload reads 4 bytes per pixel, so every kind of PNG becomes 8-bit RGBA here;
    // an 8-bit RGBA file passes through untouched.
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, kOpaqueAlpha, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    rowSize = png_get_rowbytes(png, info);
    return png_get_bit_depth(png, info) == 8 && png_get_channels(png, info) == kBytesPerPixel &&
           rowSize == static_cast<size_t>(imageWidth) * kBytesPerPixel;
}

bool PngDecoder::readImage(unsigned char* pixels) {
    if (!headerRead || pixels == nullptr) {
        return false;
    }
    std::unique_ptr<png_bytep[]> rows(new (std::nothrow) png_bytep[imageHeight]);
    if (!rows) {
        return false;
    }
    // Decoded row i (0 = top) lands at the bottom-up position GL calls row height - 1 - i.
    for (int i = 0; i < imageHeight; ++i) {
        rows[i] = pixels + static_cast<size_t>(imageHeight - 1 - i) * rowSize;
    }
    return readRows(rows.get());
}

bool PngDecoder::readRows(png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_image(png, rows);
    return true;
}
