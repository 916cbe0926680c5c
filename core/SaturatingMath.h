#pragma once
#include <cstdint>
#include <limits>

// Level files may hold numbers near the int limits. Sums and products of such values are
// formed in 64 bits and brought back here, so every sane value keeps its exact result and
// nothing overflows.
inline int32_t saturateToInt32(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}
