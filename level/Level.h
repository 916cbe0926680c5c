#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "core/Bounds.h"
#include "graphics/Decoration.h"
#include "level/LevelIndex.h"
#include "level/LevelReader.h"
#include "level/SceneryState.h"

class Checkpoint;
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
    // Reads the file at path as it is (relative to the working folder, or absolute), with the
    // same log lines; the pictures it names are still looked for in "sprites/". False only
    // when the file cannot be opened.
    bool loadFromPath(const std::string& path);
    // Where loadFromFile looks for a level name: "data/" in front unless it is there already.
    static std::string pathInData(const std::string& fileName);
    // Builds the level from a text in hand (the editor's) as from a file holding it, logging
    // all but the loading line. Meant for a fresh level.
    void loadFromText(const std::string& text);

    // Puts the scenery's state on show: the traps where their motion has taken them, the
    // bobbing phases, and the tick the platforms' animations are to show.
    void show(const SceneryState& scenery);
    // Draw order: background, back scenery, platforms, checkpoints | (player) | goal, traps,
    // front scenery.
    // Things whose picture lies wholly off screen are not sent to GL. Drawing only draws.
    void drawBack(Bounds view, int originX, int originY);
    void drawFront(Bounds view, int originX, int originY);
    // Brings every platform's animation up to the tick on show.
    void settleAnimations();

    // A file is expected to give all four; a file that does not leaves them 0.
    int32_t width = 0;
    int32_t height = 0;
    int32_t spawnX = 0;
    int32_t spawnY = 0;
    Decoration goal;
    std::string nextMap;
    // The music track the level plays (key "music"), empty for none.
    std::string music;
    // What the level is called on the pause and level screens (key "name"), empty for none.
    std::string name;
    Image* background = nullptr;
    std::vector<Decoration*> backDecorations;
    std::vector<Platform*> platforms;
    std::vector<Trap*> traps;
    std::vector<Decoration*> frontDecorations;
    // Places to come back to after a hazard, once touched (section "Checkpoint"); drawn behind
    // the player, after the platforms.
    std::vector<Checkpoint*> checkpoints;
    // Built at the end of loading; a level assembled by hand is walked list by list.
    LevelIndex index;
    // Off: every object is sent to GL, seen or not (for comparing the two ways of drawing).
    bool culling = true;

private:
    void build(const LevelReader& reading);
    void readProperties(const LevelReader::Section& section);
    void readBackground(const LevelReader::Section& section);
    void readDecoration(const LevelReader::Section& section);
    void readPlatform(const LevelReader::Section& section);
    void readTrap(const LevelReader::Section& section);
    void readCheckpoint(const LevelReader::Section& section);
    void drawDecorations(const std::vector<Decoration*>& list, bool front, Bounds view, int originX, int originY);
    void drawPlatforms(int offsetX, int offsetY);
    void drawPlatform(size_t i, int offsetX, int offsetY);
    void catchUp(size_t i);
    void drawTraps(int offsetX, int offsetY);
    bool canSkip(Bounds view, int originX, int originY) const;

    // Reused from pass to pass.
    std::vector<int32_t> shown;
    // The scenery tick on show, and the tick each platform's animation was last brought up to:
    // a platform off screen catches up on the ticks it missed when it is next drawn.
    int64_t shownTicks = 0;
    std::vector<int64_t> platformShownAt;
};
