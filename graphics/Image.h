#pragma once
#include <cstdint>
#include <string>

// The one drawable: a texture (owned by the TextureManager, never deleted here), a draw offset,
// the sheet size, a frame size that cuts the sheet into a grid, and two animation counters
// that pick the column and row to show. A plain value type.
class Image {
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

    void nextFrame();
    // The same as calling nextFrame that many times, in constant time.
    void skipFrames(int64_t frames);
    void setFrame(int n);
    void setRow(int n);
    void setTicksPerFrame(int n);
    int columnTicks() const;
    int rowTicks() const;

    // Draws the current frame with its top-left corner at (dx + x, dy + y).
    void draw(int dx, int dy);

    unsigned int texture = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    float frameWidth = 0.0f;
    float frameHeight = 0.0f;
    float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    unsigned int ticksPerFrame = 4;
    int frameCounter = 1;
    int rowCounter = 1;
    bool flipped = false;
};
