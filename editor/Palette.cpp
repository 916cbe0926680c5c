#include "editor/Palette.h"

#include <algorithm>
#include <filesystem>

namespace {

const char* const pictureExtension = ".png";
const int gridLeft = 8;

}  // namespace

void Palette::scan(const std::string& spritesFolder) {
    names.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(spritesFolder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code kindError;
        if (it->is_regular_file(kindError) && it->path().extension() == pictureExtension) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    topRow = 0;
    if (chosen >= static_cast<int>(names.size())) {
        chosen = -1;
    }
}

int Palette::columns(int windowWidth) const {
    return std::max(1, (windowWidth - gridLeft) / kCell);
}

Bounds Palette::cell(int index, int windowWidth) const {
    const int perRow = columns(windowWidth);
    return Bounds{gridLeft + (index % perRow) * kCell, kHeader + (index / perRow - topRow) * kCell, kThumb, kThumb};
}

void Palette::scrollRows(int rows, int windowWidth) {
    const int perRow = columns(windowWidth);
    const int lastRow = names.empty() ? 0 : (static_cast<int>(names.size()) - 1) / perRow;
    topRow = std::clamp(topRow + rows, 0, lastRow);
}

int Palette::pictureAt(int x, int y, int windowWidth) const {
    if (x < gridLeft || y < kHeader) {
        return -1;
    }
    const int column = (x - gridLeft) / kCell;
    const int row = (y - kHeader) / kCell;
    // The gap between two cells belongs to neither.
    if (column >= columns(windowWidth) || (x - gridLeft) % kCell >= kThumb || (y - kHeader) % kCell >= kThumb) {
        return -1;
    }
    const long long index = (static_cast<long long>(row) + topRow) * columns(windowWidth) + column;
    return index < static_cast<long long>(names.size()) ? static_cast<int>(index) : -1;
}

Bounds Palette::fitted(int width, int height, Bounds cell) {
    if (width <= 0 || height <= 0) {
        return Bounds{cell.x, cell.y, 0, 0};
    }
    const long long side = std::max(width, height);
    const long long w = side > cell.w ? static_cast<long long>(width) * cell.w / side : width;
    const long long h = side > cell.h ? static_cast<long long>(height) * cell.h / side : height;
    const int fw = static_cast<int>(std::max(1LL, w));
    const int fh = static_cast<int>(std::max(1LL, h));
    return Bounds{cell.x + (cell.w - fw) / 2, cell.y + (cell.h - fh) / 2, fw, fh};
}

void Palette::chooseKind(int number) {
    switch (number) {
    case 1:
        chosenKind = EditKind::Platform;
        break;
    case 2:
        chosenKind = EditKind::Decoration;
        break;
    case 3:
        chosenKind = EditKind::Trap;
        break;
    default:
        break;
    }
}

const char* Palette::kindName(EditKind kind) {
    switch (kind) {
    case EditKind::Platform:
        return "platform";
    case EditKind::Decoration:
        return "decoration";
    case EditKind::Trap:
        return "trap";
    default:
        return "object";
    }
}

const std::string& Palette::chosenPicture() const {
    static const std::string none;
    return chosen >= 0 && chosen < static_cast<int>(names.size()) ? names[chosen] : none;
}
