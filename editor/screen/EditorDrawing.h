#pragma once
#include "core/Bounds.h"
#include "game/PixelText.h"

// The editor's marks over the level, drawn in window pixels with plain GL quads. Each call
// leaves texturing on and the colour white, as the level's drawing expects.
namespace editordrawing {

using Colour = pixeltext::Colour;

void fill(Bounds box, Colour colour);
// A frame of that thickness just inside the box.
void outline(Bounds box, int thickness, Colour colour);
// The whole texture stretched over the box.
void picture(unsigned int texture, Bounds box);

}  // namespace editordrawing
