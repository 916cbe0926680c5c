#pragma once

struct SharedState;
class Menu;
class Game;

// Runs the top-level states until QUIT: the menu or the game holds the event processing,
// a new game starts at "level1.level", a win installs the win screen as the menu's picture.
void runStateLoop(SharedState& shared, Menu& menu, Game& game);
