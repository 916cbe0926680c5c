#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

// A uniform grid over the level's plane that finds the items whose rectangle may meet an area.
// Items are numbered 0, 1, 2 ... in the order they are inserted (their place in a list); a query
// answers every item whose rectangle meets the area, possibly a few more, in ascending order
// and without repeats. Rectangles of zero or negative size are filed by their closed span.
class SpatialGrid {
public:
    // A half-open rectangle [left, right) x [top, bottom) in level pixels, wide enough for any
    // sum of 32-bit values.
    struct Area {
        int64_t left;
        int64_t top;
        int64_t right;
        int64_t bottom;
    };

    void clear();
    void insert(int32_t item, Area area);
    // Every item that may meet the area, ascending.
    void query(Area area, std::vector<int32_t>& items) const;
    // True when the answer to query would be every item ever inserted (a huge area).
    bool coversEverything(Area area) const;
    int32_t size() const { return count; }

private:
    using Key = uint64_t;
    static Key key(int64_t column, int64_t row);
    static int64_t cellOf(int64_t coordinate);

    std::unordered_map<Key, std::vector<int32_t>> cells;
    // Items too large to file cell by cell; every query answers them.
    std::vector<int32_t> everywhere;
    int32_t count = 0;
};
