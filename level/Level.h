#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "graphics/Bounds.h"
#include "graphics/Decoration.h"

class Image;
class Platform;
class Trap;

// One loaded level: its size, start, goal marker, next level, background, scenery, platforms
// and traps. The level owns everything in its lists and its background.
class Level {
public:
    Level() = default;
    virtual ~Level();
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    // Reads "data/" + fileName (no second prefix). False only when the file cannot be opened.
    bool loadFromFile(std::string fileName);

    // Draw order: background, back scenery, platforms | (player) | goal, traps, front scenery.
    void drawBack(Bounds view, int originX, int originY);
    void drawFront(Bounds view, int originX, int originY);

    // A file is expected to give all four; a file that does not leaves them 0.
    int32_t width = 0;
    int32_t height = 0;
    int32_t spawnX = 0;
    int32_t spawnY = 0;
    Decoration goal;
    std::string nextMap;
    // The music track the level plays (key "music"), empty for none.
    std::string music;
    Image* background = nullptr;
    std::vector<Decoration*> backDecorations;
    std::vector<Platform*> platforms;
    std::vector<Trap*> traps;
    std::vector<Decoration*> frontDecorations;

private:
    void readProperties(std::istream& in);
    void readBackground(std::istream& in);
    void readDecoration(std::istream& in);
    void readPlatform(std::istream& in);
    void readTrap(std::istream& in);
};
