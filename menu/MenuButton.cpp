#include "menu/MenuButton.h"

#include <cstdint>

#include "graphics/TextureManager.h"

namespace {
const int normalRow = 1;
const int highlightedRow = 2;
}  // namespace

MenuButton::MenuButton(const std::string& fileName) : Image(fileName, 0, 0) {
    TextureManager* textures = TextureManager::instance();
    texture = textures->getTexture(fileName);
    const Bounds bounds = textures->getBounds(fileName);
    x = bounds.x;
    y = bounds.y;
    width = bounds.w;
    height = bounds.h;
    width = static_cast<int>(frameWidth);
    height = static_cast<int>(frameHeight);
    partition(1, 2);
    hitX = x;
    hitY = y;
    hitW = width;
    hitH = height;
}

bool MenuButton::hitTest(int px, int py) {
    // Edges are formed wide: a rectangle at the int limit still tests as designed.
    const bool inside = hitX <= px && px <= int64_t{hitX} + hitW && hitY <= py && py <= int64_t{hitY} + hitH;
    setHighlighted(inside);
    return inside;
}

void MenuButton::setHighlighted(bool on) {
    lit = on;
    setRow(on ? highlightedRow : normalRow);
}
