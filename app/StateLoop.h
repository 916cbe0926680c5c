#pragma once

struct SharedState;
class Menu;
class Game;
class StateLoopIFC;

// Runs the top-level states until QUIT: the menu or the game holds the event processing,
// a new game starts at "level1.level", a win installs the win screen as the menu's picture.
// With an editor, EDIT hands it the event processing; without one EDIT is an unknown state.
void runStateLoop(SharedState& shared, Menu& menu, Game& game, StateLoopIFC* editor = nullptr);
