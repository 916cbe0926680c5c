#pragma once
#include "Color.h"

#include <array>
#include <cstddef>

// The one palette every picture is painted from. Ramps run from dark to light so shading
// code can step along them; keeping to these colours is what makes the sheets look like
// one game.
namespace pal {

constexpr Rgba ink = hex(0x1a1423);
constexpr Rgba white = hex(0xfffdf5);

using Ramp = std::array<Rgba, 6>;

constexpr Ramp stone{hex(0x1e1d2b), hex(0x2f2e42), hex(0x474660), hex(0x6b6a85), hex(0x9896ad), hex(0xcdcbdc)};
constexpr Ramp green{hex(0x142b1f), hex(0x1e4a2c), hex(0x2e6b35), hex(0x4a8f3a), hex(0x7cb94a), hex(0xb8de6c)};
constexpr Ramp earth{hex(0x26170f), hex(0x43281b), hex(0x673d24), hex(0x8f5e38), hex(0xbb8752), hex(0xe2b87e)};
constexpr Ramp sky{hex(0x141f3d), hex(0x1f3566), hex(0x2e5594), hex(0x4a80c2), hex(0x80b3e1), hex(0xc4e3f4)};
constexpr Ramp dusk{hex(0x24142f), hex(0x3f2050), hex(0x663274), hex(0x96488a), hex(0xc76a96), hex(0xf09eaa)};
constexpr Ramp fire{hex(0x5a1a1e), hex(0x9a2f24), hex(0xd1532b), hex(0xf08a3a), hex(0xf8c45c), hex(0xfff2b0)};
constexpr Ramp crystal{hex(0x10333f), hex(0x17606a), hex(0x24979a), hex(0x4fcdbd), hex(0x9af0dc), hex(0xe2fff4)};
constexpr Ramp crimson{hex(0x2e0f1c), hex(0x561826), hex(0x862631), hex(0xb63b35), hex(0xdc6340), hex(0xf29a5c)};
constexpr Ramp skin{hex(0x6b3e2e), hex(0x9c5f45), hex(0xc98a65), hex(0xeab88e), hex(0xf7d7b0), hex(0xfff0dc)};
constexpr Ramp violet{hex(0x17142e), hex(0x252250), hex(0x3a3878), hex(0x5a56a0), hex(0x8a86c8), hex(0xc4c0ec)};
constexpr Ramp sand{hex(0x3b2436), hex(0x644050), hex(0x946660), hex(0xc29a7a), hex(0xe2c39a), hex(0xf6e6c0)};
// far hills and haze: greens pushed towards the sky
constexpr Ramp haze{hex(0x233c4c), hex(0x34586a), hex(0x4a7880), hex(0x669a94), hex(0x8fbca8), hex(0xc2dfc6)};
constexpr Ramp gold{hex(0x4a2a14), hex(0x83521c), hex(0xc08a28), hex(0xe8bc3c), hex(0xfbe07a), hex(0xfff8d0)};

}  // namespace pal
