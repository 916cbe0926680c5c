#include "level/Level.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "core/RegularFile.h"
#include "core/SaturatingMath.h"
#include "core/TextInput.h"
#include "graphics/Image.h"
#include "level/LevelFormat.h"
#include "level/LevelKeys.h"
#include "level/LevelReader.h"
#include "objects/Checkpoint.h"
#include "objects/Platform.h"
#include "objects/Trap.h"

namespace {

const char* const dataFolder = "data/";

// Hands the section's entries that the game carries out to apply, in file order; the reader
// has already set aside unknown keys, switch words not taken and offsets without a picture.
template <typename Apply>
void applyEntries(const LevelReader::Section& section, Apply apply) {
    for (const LevelReader::Entry& entry : section.entries) {
        if (entry.carriedOut) {
            apply(entry);
        }
    }
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A large level writes hundreds of thousands of log pieces while it loads; the log may write
// each piece through on its own, so during the load they are gathered and written out at the
// end, the same bytes in the same order.
class GatheredLog {
public:
    GatheredLog() : flags(std::cout.flags()) { std::cout.unsetf(std::ios::unitbuf); }
    ~GatheredLog() {
        std::cout.flush();
        std::cout.flags(flags);
    }
    GatheredLog(const GatheredLog&) = delete;
    GatheredLog& operator=(const GatheredLog&) = delete;

private:
    std::ios::fmtflags flags;
};

// The error line only says that the level failed; this one says why.
void logWhyUnreadable(const std::string& path) {
    const std::string reason = RegularFile::whyUnreadable(path);
    std::cout << "[LEVEL] " << path << ": " << (reason.empty() ? "cannot be read" : reason) << "\n";
}

}  // namespace

Level::~Level() {
    delete background;
    for (Decoration* decoration : backDecorations) {
        delete decoration;
    }
    for (Platform* platform : platforms) {
        delete platform;
    }
    for (Trap* trap : traps) {
        delete trap;
    }
    for (Decoration* decoration : frontDecorations) {
        delete decoration;
    }
    for (Checkpoint* checkpoint : checkpoints) {
        delete checkpoint;
    }
}

std::string Level::pathInData(const std::string& fileName) {
    return startsWith(fileName, dataFolder) ? fileName : dataFolder + fileName;
}

bool Level::loadFromFile(std::string fileName) {
    return loadFromPath(pathInData(fileName));
}

bool Level::loadFromPath(const std::string& path) {
    std::cout << "[LEVEL] loading " << path << "\n";
    std::ifstream in;
    std::error_code ec;
    // A folder named like a level opens as a stream but reads nothing: it is no level.
    if (std::filesystem::is_regular_file(path, ec)) {
        in.open(path);
    }
    if (!in.is_open()) {
        std::cout << "[LEVEL] ERROR: file failed to open!\n";
        logWhyUnreadable(path);
        return false;
    }
    GatheredLog gathered;
    build(LevelReader(in));
    return true;
}

void Level::loadFromText(const std::string& text) {
    GatheredLog gathered;
    build(LevelReader(text));
}

void Level::build(const LevelReader& reading) {
    for (const LevelReader::Section& section : reading.sections()) {
        switch (section.kind) {
        case LevelReader::Kind::Properties:
            readProperties(section);
            break;
        case LevelReader::Kind::Background:
            readBackground(section);
            break;
        case LevelReader::Kind::Decoration:
            readDecoration(section);
            break;
        case LevelReader::Kind::Platform:
            readPlatform(section);
            break;
        case LevelReader::Kind::Trap:
            readTrap(section);
            break;
        case LevelReader::Kind::Checkpoint:
            readCheckpoint(section);
            break;
        }
    }
    std::cout << "[LEVEL] file loaded successfully.\n";
    index.build(*this);
}

void Level::readProperties(const LevelReader::Section& section) {
    applyEntries(section, [this](const LevelReader::Entry& entry) {
        levelkeys::applyToLevel(LevelReader::Kind::Properties, entry, *this);
    });
}

void Level::readBackground(const LevelReader::Section& section) {
    applyEntries(section, [this](const LevelReader::Entry& entry) {
        levelkeys::applyToLevel(LevelReader::Kind::Background, entry, *this);
    });
}

void Level::readDecoration(const LevelReader::Section& section) {
    auto decoration = std::make_unique<Decoration>();
    applyEntries(section, [&decoration](const LevelReader::Entry& entry) { levelkeys::applyTo(entry, *decoration); });
    if (section.end == LevelReader::End::Interrupted) {
        return;
    }
    std::vector<Decoration*>& list = decoration->z < 0 ? frontDecorations : backDecorations;
    list.push_back(decoration.release());
}

void Level::readPlatform(const LevelReader::Section& section) {
    auto platform = std::make_unique<Platform>();
    applyEntries(section, [&platform](const LevelReader::Entry& entry) { levelkeys::applyTo(entry, *platform); });
    if (section.end != LevelReader::End::Interrupted) {
        platforms.push_back(platform.release());
    }
}

void Level::readTrap(const LevelReader::Section& section) {
    auto trap = std::make_unique<Trap>();
    applyEntries(section, [&trap](const LevelReader::Entry& entry) { levelkeys::applyTo(entry, *trap); });
    if (section.end != LevelReader::End::Interrupted) {
        traps.push_back(trap.release());
    }
}

void Level::readCheckpoint(const LevelReader::Section& section) {
    auto checkpoint = std::make_unique<Checkpoint>();
    applyEntries(section, [&checkpoint](const LevelReader::Entry& entry) { levelkeys::applyTo(entry, *checkpoint); });
    if (section.end != LevelReader::End::Interrupted) {
        checkpoint->light(false);
        checkpoints.push_back(checkpoint.release());
    }
}

void Level::show(const SceneryState& scenery) {
    for (size_t i = 0; i < traps.size() && i < scenery.traps.size(); ++i) {
        traps[i]->show(scenery.traps[i]);
    }
    for (size_t i = 0; i < backDecorations.size() && i < scenery.backPhases.size(); ++i) {
        backDecorations[i]->phase = scenery.backPhases[i];
    }
    for (size_t i = 0; i < frontDecorations.size() && i < scenery.frontPhases.size(); ++i) {
        frontDecorations[i]->phase = scenery.frontPhases[i];
    }
    goal.phase = scenery.goalPhase;
    for (size_t i = 0; i < checkpoints.size(); ++i) {
        checkpoints[i]->light(static_cast<int>(i) == scenery.litCheckpoint);
    }
    shownTicks = scenery.ticks;
}

void Level::drawBack(Bounds view, int originX, int originY) {
    if (background != nullptr) {
        background->draw(originX, originY);
    }
    drawDecorations(backDecorations, false, view, originX, originY);
    const int offsetX = saturateToInt32(int64_t{originX} - view.x);
    const int offsetY = saturateToInt32(int64_t{originY} - view.y);
    drawPlatforms(offsetX, offsetY);
    for (const Checkpoint* checkpoint : checkpoints) {
        checkpoint->draw(offsetX, offsetY);
    }
}

void Level::drawFront(Bounds view, int originX, int originY) {
    goal.draw(originX, originY, view.x, view.y, view.w, view.h);
    drawTraps(saturateToInt32(int64_t{originX} - view.x), saturateToInt32(int64_t{originY} - view.y));
    drawDecorations(frontDecorations, true, view, originX, originY);
}

bool Level::canSkip(Bounds view, int originX, int originY) const {
    return culling && withinCullingRange(view.x) && withinCullingRange(view.y) && withinCullingRange(view.w) &&
           withinCullingRange(view.h) && withinCullingRange(originX) && withinCullingRange(originY);
}

void Level::drawDecorations(const std::vector<Decoration*>& list, bool front, Bounds view, int originX, int originY) {
    // Scenery culls itself against the view; the index only spares the walk over what is far.
    if (!canSkip(view, originX, originY) || !index.coversDecorations(*this)) {
        for (const Decoration* decoration : list) {
            decoration->draw(originX, originY, view.x, view.y, view.w, view.h);
        }
        return;
    }
    index.decorationsShown(front, view, shown);
    for (int32_t i : shown) {
        list[i]->draw(originX, originY, view.x, view.y, view.w, view.h);
    }
}

void Level::drawPlatforms(int offsetX, int offsetY) {
    platformShownAt.resize(platforms.size(), 0);
    const bool skipping =
        index.coversPlatforms(*this) && culling && withinCullingRange(offsetX) && withinCullingRange(offsetY);
    const ScreenArea screen = skipping ? ScreenArea::current() : ScreenArea();
    if (!screen.known) {
        for (size_t i = 0; i < platforms.size(); ++i) {
            drawPlatform(i, offsetX, offsetY);
        }
        return;
    }
    const SpatialGrid::Area world{screen.left - offsetX, screen.top - offsetY, screen.right - offsetX,
                                  screen.bottom - offsetY};
    index.platformsShown(world, shown);
    for (int32_t i : shown) {
        drawPlatform(static_cast<size_t>(i), offsetX, offsetY);
    }
}

void Level::drawPlatform(size_t i, int offsetX, int offsetY) {
    catchUp(i);
    platforms[i]->draw(offsetX, offsetY);
}

// A platform's animation runs one frame a tick; one not drawn for a while catches up at once.
void Level::catchUp(size_t i) {
    int64_t& shownAt = platformShownAt[i];
    if (platforms[i]->image != nullptr) {
        platforms[i]->image->skipFrames(shownTicks - shownAt);
    }
    shownAt = shownTicks;
}

void Level::settleAnimations() {
    platformShownAt.resize(platforms.size(), 0);
    for (size_t i = 0; i < platforms.size(); ++i) {
        catchUp(i);
    }
}

void Level::drawTraps(int offsetX, int offsetY) {
    const ScreenArea screen = culling ? ScreenArea::current() : ScreenArea();
    for (const Trap* trap : traps) {
        if (pictureMayShow(*trap, offsetX, offsetY, screen)) {
            trap->draw(offsetX, offsetY);
        }
    }
}
