#pragma once
#include <string>

#include "app/StateLoopIFC.h"

// The playing state (filled in with the levels): for now it only takes control and ticks.
class Game : public StateLoopIFC {
public:
    explicit Game(SharedState* shared);
    virtual ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Loads the level and starts play; false when the level cannot be loaded.
    bool newGame(std::string fileName);

    void update(int value) override;
    void assumeControl(StateLoopIFC** active) override;
};
