#include "PngWriter.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kCompressionLevel = 9;

// Kept free of C++ objects: libpng leaves by longjmp on errors.
bool writeRows(FILE* file, int width, int height, png_bytepp rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, kCompressionLevel);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePng(const std::string& path, const Canvas& canvas) {
    if (canvas.width() <= 0 || canvas.height() <= 0) {
        return false;
    }
    std::vector<unsigned char> bytes;
    bytes.reserve(canvas.pixels().size() * 4);
    for (const Rgba& p : canvas.pixels()) {
        // Fully transparent pixels are stored as zeros so stray colours never leak into files.
        Rgba q = p.a == 0 ? kClear : p;
        bytes.insert(bytes.end(), {q.r, q.g, q.b, q.a});
    }
    std::vector<png_bytep> rows(static_cast<size_t>(canvas.height()));
    for (int y = 0; y < canvas.height(); ++y) {
        rows[static_cast<size_t>(y)] = bytes.data() + static_cast<size_t>(y) * canvas.width() * 4;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool ok = writeRows(file, canvas.width(), canvas.height(), rows.data());
    return std::fclose(file) == 0 && ok;
}
