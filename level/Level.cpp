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
#include "level/LevelReader.h"
#include "objects/Platform.h"
#include "objects/Trap.h"

namespace {

const char* const dataFolder = "data/";

bool isMirrorKey(const std::string& key) {
    return key == "flip" || key == "mirror" || key == "flipped";
}

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
}

bool Level::loadFromFile(std::string fileName) {
    if (!startsWith(fileName, dataFolder)) {
        fileName = dataFolder + fileName;
    }
    std::cout << "[LEVEL] loading " << fileName << "\n";
    std::ifstream in;
    std::error_code ec;
    // A folder named like a level opens as a stream but reads nothing: it is no level.
    if (std::filesystem::is_regular_file(fileName, ec)) {
        in.open(fileName);
    }
    if (!in.is_open()) {
        std::cout << "[LEVEL] ERROR: file failed to open!\n";
        logWhyUnreadable(fileName);
        return false;
    }
    GatheredLog gathered;
    const LevelReader reading(in);
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
        }
    }
    std::cout << "[LEVEL] file loaded successfully.\n";
    index.build(*this);
    return true;
}

void Level::readProperties(const LevelReader::Section& section) {
    applyEntries(section, [this](const LevelReader::Entry& entry) {
        const std::string& key = entry.key;
        if (key == "width") {
            width = parseInt(entry.value);
            std::cout << "level width set to " << width << "\n";
        } else if (key == "height") {
            height = parseInt(entry.value);
            std::cout << "level height set to " << height << "\n";
        } else if (key == "spawnx") {
            spawnX = parseInt(entry.value);
            std::cout << "spawn x set to " << spawnX << "\n";
        } else if (key == "spawny") {
            spawnY = parseInt(entry.value);
            std::cout << "spawn y set to " << spawnY << "\n";
        } else if (key == "winx") {
            goal.x = parseInt(entry.value);
            std::cout << "win x set to " << goal.x << "\n";
        } else if (key == "winy") {
            goal.y = parseInt(entry.value);
        } else if (key == "winimg") {
            // The picture resets the goal's position: "winx" and "winy" must follow it.
            goal.load(picturePath(entry.value));
            goal.setFloating(true);
            goal.z = 0;
        } else if (key == "nextmap") {
            nextMap = entry.value;
            std::cout << "next map set to " << nextMap << "\n";
        } else if (key == "music") {
            music = entry.value;
        }
    });
}

void Level::readBackground(const LevelReader::Section& section) {
    applyEntries(section, [this](const LevelReader::Entry& entry) {
        if (entry.key == "img") {
            delete background;
            background = nullptr;
            background = new Image(picturePath(entry.value));
        }
    });
}

void Level::readDecoration(const LevelReader::Section& section) {
    auto decoration = std::make_unique<Decoration>();
    applyEntries(section, [&decoration](const LevelReader::Entry& entry) {
        const std::string& key = entry.key;
        if (key == "img") {
            decoration->load(picturePath(entry.value));
        } else if (key == "x") {
            decoration->x = parseInt(entry.value);
        } else if (key == "y") {
            decoration->y = parseInt(entry.value);
        } else if (key == "z") {
            decoration->z = parseInt(entry.value);
        } else if (key == "floating") {
            decoration->setFloating(true);
        } else if (isMirrorKey(key)) {
            decoration->flipped = true;
        }
    });
    if (section.end == LevelReader::End::Interrupted) {
        return;
    }
    std::vector<Decoration*>& list = decoration->z < 0 ? frontDecorations : backDecorations;
    list.push_back(decoration.release());
}

void Level::readPlatform(const LevelReader::Section& section) {
    auto platform = std::make_unique<Platform>();
    applyEntries(section, [&platform](const LevelReader::Entry& entry) {
        const std::string& key = entry.key;
        Image* image = platform->image;
        if (key == "img") {
            platform->setImage(picturePath(entry.value));
        } else if (key == "x") {
            platform->setX(parseInt(entry.value));
        } else if (key == "y") {
            platform->setY(parseInt(entry.value));
        } else if (key == "w") {
            platform->width = parseInt(entry.value);
        } else if (key == "h") {
            platform->height = parseInt(entry.value);
        } else if (image == nullptr) {
            // Offsets and mirroring act on a picture; the reader lets none through before "img".
        } else if (key == "xOffset") {
            image->x = parseInt(entry.value);
        } else if (key == "yOffset") {
            image->y = parseInt(entry.value);
        } else if (isMirrorKey(key)) {
            image->flipped = true;
        }
    });
    if (section.end != LevelReader::End::Interrupted) {
        platforms.push_back(platform.release());
    }
}

void Level::readTrap(const LevelReader::Section& section) {
    auto trap = std::make_unique<Trap>();
    applyEntries(section, [&trap](const LevelReader::Entry& entry) {
        const std::string& key = entry.key;
        if (key == "img") {
            trap->setImage(picturePath(entry.value));
        } else if (key == "x") {
            trap->setX(parseInt(entry.value));
        } else if (key == "y") {
            trap->setY(parseInt(entry.value));
        } else if (key == "xfloating") {
            trap->setFloatX(parseInt(entry.value));
        } else if (key == "yfloating") {
            trap->setFloatY(parseInt(entry.value));
        } else if (key == "partition") {
            trap->partition(parseInt(entry.value));
        } else if (key == "sfx") {
            trap->setSound(entry.value);
        }
    });
    if (section.end != LevelReader::End::Interrupted) {
        traps.push_back(trap.release());
    }
}

void Level::drawBack(Bounds view, int originX, int originY) {
    if (background != nullptr) {
        background->draw(originX, originY);
    }
    drawDecorations(backDecorations, false, view, originX, originY);
    drawPlatforms(saturateToInt32(int64_t{originX} - view.x), saturateToInt32(int64_t{originY} - view.y));
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
        for (Decoration* decoration : list) {
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
    if (!index.coversPlatforms(*this)) {
        for (Platform* platform : platforms) {
            platform->draw(offsetX, offsetY);
        }
        return;
    }
    ++index.drawPasses;
    const bool skipping = culling && withinCullingRange(offsetX) && withinCullingRange(offsetY);
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
    Platform* platform = platforms[i];
    int64_t& drawnAt = index.platformDrawnAt[i];
    if (platform->image != nullptr) {
        platform->image->skipFrames(index.drawPasses - drawnAt - 1);
    }
    drawnAt = index.drawPasses;
    platform->draw(offsetX, offsetY);
}

void Level::settleAnimations() {
    if (!index.coversPlatforms(*this)) {
        return;
    }
    for (size_t i = 0; i < platforms.size(); ++i) {
        int64_t& drawnAt = index.platformDrawnAt[i];
        if (platforms[i]->image != nullptr) {
            platforms[i]->image->skipFrames(index.drawPasses - drawnAt);
        }
        drawnAt = index.drawPasses;
    }
}

void Level::drawTraps(int offsetX, int offsetY) {
    // Every trap floats on while unseen: the hazard test meets it where its path has taken it.
    const ScreenArea screen = culling ? ScreenArea::current() : ScreenArea();
    for (Trap* trap : traps) {
        trap->advance();
        if (pictureMayShow(*trap, offsetX, offsetY, screen)) {
            trap->drawWhereItIs(offsetX, offsetY);
        }
    }
}
