#pragma once
#include <string>

#include "graphics/Image.h"

// A menu button: a picture of one column and two rows (normal, highlighted) whose x, y are the
// picture's offset from the clickable rectangle's top-left corner.
struct MenuButton : public Image {
    explicit MenuButton(const std::string& fileName);

    // Inclusive on all four edges; shows the highlighted row when the point is inside.
    bool hitTest(int px, int py);
    // Shows the highlighted or the normal row, as the keyboard chooses.
    void setHighlighted(bool on);
    bool highlighted() const { return lit; }

    int hitX = 0;
    int hitY = 0;
    int hitW = 0;
    int hitH = 0;

private:
    bool lit = false;
};
