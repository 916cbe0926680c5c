#pragma once
#include <cstdint>
#include <string>

#include "graphics/SheetCounters.h"

// The one drawable: a texture (owned by the TextureManager, never deleted here), a draw offset,
// the sheet and its animation counters, a tint and a mirror flag. A plain value type.
class Image : public SheetCounters {
public:
    Image() = default;
    // The whole picture as one frame, offset (0, 0). A picture that fails to load gives
    // texture 0 and every size 0: such an image draws nothing visible.
    explicit Image(const std::string& fileName);
    Image(const std::string& fileName, int offsetX, int offsetY);

    // Rebinds to another picture: texture, x = y = 0, sheet size, frame = whole picture.
    // Counters, ticksPerFrame, tint and flipped stay.
    void load(const std::string& fileName);
    // Cuts the sheet into columns x rows equal frames; logs "invalid image partion" otherwise.
    void partition(int columns, int rows);

    // Draws the current frame with its top-left corner at (dx + x, dy + y); draws only, the
    // counters stay as they are.
    void draw(int dx, int dy) const;

    unsigned int texture = 0;
    int x = 0;
    int y = 0;
    float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    bool flipped = false;
};
