#pragma once
#include <cstddef>
#include <cstdint>

// Enlarges a picture by a whole number without blur: each source pixel becomes a factor x factor
// square. The source rows are as GL reads them, the bottom row first (width x height pixels, no
// padding); the target gets them from the top, `targetStride` bytes a row, and must hold
// height * factor rows of width * factor pixels. Nothing is written when a size is below 1.
void enlargeByWhole(const uint32_t* bottomUpRows, int width, int height, int factor, uint8_t* target,
                    size_t targetStride);
