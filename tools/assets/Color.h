#pragma once
#include <cstdint>

// One 8-bit RGBA pixel; alpha 0 is fully transparent.
struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;

    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Rgba& o) const { return !(*this == o); }
    bool opaque() const { return a != 0; }
};

// 0xRRGGBB as an opaque colour.
constexpr Rgba hex(uint32_t rgb) {
    return Rgba{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 255};
}

constexpr Rgba withAlpha(Rgba c, uint8_t a) {
    return Rgba{c.r, c.g, c.b, a};
}

constexpr Rgba kClear{0, 0, 0, 0};
