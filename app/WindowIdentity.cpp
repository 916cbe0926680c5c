#include "app/WindowIdentity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <vector>

#include "core/RegularFile.h"
#include "graphics/PngDecoder.h"

namespace {

char className[] = "vantorel";
const int largestIconSide = 256;

// _NET_WM_ICON's layout: width, height, then one ARGB pixel per long, top row first.
std::vector<unsigned long> iconProperty(const char* iconFile) {
    // Read like every other picture: a FIFO or a folder in its place must not hang the start.
    RegularFile file(iconFile);
    if (file.get() == nullptr) {
        return {};
    }
    PngDecoder decoder(file.get(), largestIconSide, iconFile);
    if (!decoder.readHeader()) {
        return {};
    }
    std::vector<unsigned char> pixels(decoder.imageBytes());
    if (!decoder.readImage(pixels.data())) {
        return {};
    }
    const int width = decoder.width();
    const int height = decoder.height();
    std::vector<unsigned long> property{static_cast<unsigned long>(width), static_cast<unsigned long>(height)};
    // The decoder hands rows bottom first.
    for (int row = height - 1; row >= 0; --row) {
        const unsigned char* p = pixels.data() + static_cast<size_t>(row) * decoder.rowBytes();
        for (int x = 0; x < width; ++x, p += PngDecoder::kBytesPerPixel) {
            property.push_back((static_cast<unsigned long>(p[3]) << 24) | (static_cast<unsigned long>(p[0]) << 16) |
                               (static_cast<unsigned long>(p[1]) << 8) | p[2]);
        }
    }
    return property;
}

}  // namespace

void setWindowIdentity(const char* iconFile) {
    ::Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    XClassHint hint;
    hint.res_name = className;
    hint.res_class = className;
    XSetClassHint(display, window, &hint);
    const std::vector<unsigned long> icon = iconProperty(iconFile);
    if (!icon.empty()) {
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(icon.data()), static_cast<int>(icon.size()));
    }
    XFlush(display);
}
