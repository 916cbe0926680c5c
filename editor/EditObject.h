#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum class EditKind { Start, Goal, Platform, Trap, Decoration, Checkpoint };

// One thing the editor shows and lets the author move, as the game would build it.
struct EditObject {
    EditKind kind = EditKind::Platform;
    // The LevelText section it comes from (Start and Goal: the properties holding spawnx or winimg).
    int section = -1;
    // The "img" (goal: "winimg") value as written; "" for the start.
    std::string picture;
    // Level pixels: a platform's box, a picture's place and size (a trap's or checkpoint's
    // frame) otherwise, the start's player box (34 x 46).
    int x = 0, y = 0, w = 0, h = 0;
    // Decorations' depth.
    int z = 0;
    // The section's effective keys in file order (the start: all the properties; the goal:
    // winimg, winx, winy).
    std::vector<std::pair<std::string, std::string>> keys;

    bool contains(int px, int py) const {
        return px >= x && py >= y && int64_t{px} < int64_t{x} + w && int64_t{py} < int64_t{y} + h;
    }
};
