#include "TestPng.h"

#include <csetjmp>
#include <stdexcept>

#include "support/TestFiles.h"

namespace {

void appendBytes(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp) {}

// Holds no object with a destructor: libpng longjmps out of it on error.
bool encodeInto(png_structp png, png_infop info, const TestPng& picture, png_bytepp rows, std::string* out) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, out, appendBytes, flushNothing);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty()) {
        png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
    }
    if (!picture.paletteAlpha.empty()) {
        png_set_tRNS(png, info, picture.paletteAlpha.data(), static_cast<int>(picture.paletteAlpha.size()), nullptr);
    }
    if (picture.hasTransparentColor) {
        png_color_16 color = picture.transparentColor;
        png_set_tRNS(png, info, nullptr, 0, &color);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::string TestPng::encode() const {
    if (rows.size() != static_cast<size_t>(height)) {
        throw std::runtime_error("TestPng: rows do not match the height");
    }
    std::vector<png_bytep> rowPointers;
    for (const auto& row : rows) {
        rowPointers.push_back(const_cast<png_bytep>(row.data()));
    }
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    bool ok = encodeInto(png, info, *this, rowPointers.data(), &out);
    png_destroy_write_struct(&png, &info);
    if (!ok) {
        throw std::runtime_error("TestPng: libpng refused the picture");
    }
    return out;
}

void TestPng::write(const std::string& path) const {
    testsupport::writeFile(path, encode());
}
