#include "level/SpatialGrid.h"

#include <algorithm>

namespace {
// Cell side in level pixels: a screen spans a handful of cells, a character one to four.
constexpr int64_t kCellSize = 256;
// An item spanning more cells than this is answered by every query instead.
constexpr int64_t kMostCellsPerItem = 64;
// A query spanning more cells than this walks the item list instead of the cells.
constexpr int64_t kMostCellsPerQuery = 4096;

// The closed span of the rectangle, whichever way its size points: boxes of zero or negative
// size still overlap others by the strict rule, and they do so only where their closed spans meet.
SpatialGrid::Area closedSpan(SpatialGrid::Area area) {
    return SpatialGrid::Area{std::min(area.left, area.right), std::min(area.top, area.bottom),
                             std::max(area.left, area.right) + 1, std::max(area.top, area.bottom) + 1};
}

int64_t cellsSpanned(int64_t first, int64_t last) {
    return last - first + 1;
}
}  // namespace

int64_t SpatialGrid::cellOf(int64_t coordinate) {
    // Floor division, so cell -1 holds the pixels just left of 0.
    return coordinate >= 0 ? coordinate / kCellSize : -((-coordinate + kCellSize - 1) / kCellSize);
}

SpatialGrid::Key SpatialGrid::key(int64_t column, int64_t row) {
    return (static_cast<uint64_t>(column) << 32) ^ static_cast<uint32_t>(row);
}

void SpatialGrid::clear() {
    cells.clear();
    everywhere.clear();
    count = 0;
}

void SpatialGrid::insert(int32_t item, Area area) {
    ++count;
    area = closedSpan(area);
    const int64_t firstColumn = cellOf(area.left);
    const int64_t lastColumn = cellOf(area.right - 1);
    const int64_t firstRow = cellOf(area.top);
    const int64_t lastRow = cellOf(area.bottom - 1);
    const int64_t columns = cellsSpanned(firstColumn, lastColumn);
    const int64_t rows = cellsSpanned(firstRow, lastRow);
    if (columns > kMostCellsPerItem || rows > kMostCellsPerItem || columns * rows > kMostCellsPerItem) {
        everywhere.push_back(item);
        return;
    }
    for (int64_t column = firstColumn; column <= lastColumn; ++column) {
        for (int64_t row = firstRow; row <= lastRow; ++row) {
            cells[key(column, row)].push_back(item);
        }
    }
}

bool SpatialGrid::coversEverything(Area area) const {
    area = closedSpan(area);
    const int64_t columns = cellsSpanned(cellOf(area.left), cellOf(area.right - 1));
    const int64_t rows = cellsSpanned(cellOf(area.top), cellOf(area.bottom - 1));
    return columns > kMostCellsPerQuery || rows > kMostCellsPerQuery || columns * rows > kMostCellsPerQuery;
}

void SpatialGrid::query(Area area, std::vector<int32_t>& items) const {
    items.clear();
    if (coversEverything(area)) {
        for (int32_t item = 0; item < count; ++item) {
            items.push_back(item);
        }
        return;
    }
    items.insert(items.end(), everywhere.begin(), everywhere.end());
    area = closedSpan(area);
    for (int64_t column = cellOf(area.left); column <= cellOf(area.right - 1); ++column) {
        for (int64_t row = cellOf(area.top); row <= cellOf(area.bottom - 1); ++row) {
            const auto found = cells.find(key(column, row));
            if (found != cells.end()) {
                items.insert(items.end(), found->second.begin(), found->second.end());
            }
        }
    }
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
}
