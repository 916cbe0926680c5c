#pragma once
#include <cstdint>
#include <string>

// EDIT holds only in a program that has the level editor; without one it is an unknown state.
enum TopLevelState : int32_t { MENU = 0, NEWGAME = 1, CONTINUE = 2, WIN = 3, QUIT = 4, EDIT = 6 };

// The one record the menu, the game and the state loop share: the held arrow keys and the
// top-level state. Created by main, which deletes it at shutdown.
struct SharedState {
    SharedState() = default;
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    int32_t state = MENU;
    // The level NEWGAME starts at, as the menu's Continue or level list chose it; empty for the first.
    std::string startLevel;
};

// The printable name of the state for error lines; WIN has none of its own.
std::string stateName(const SharedState& shared);
