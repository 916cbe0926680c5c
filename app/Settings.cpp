#include "app/Settings.h"

#include <GL/freeglut.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "app/EventDispatch.h"
#include "app/KeyBindings.h"
#include "app/ScreenMode.h"
#include "app/WindowIdentity.h"
#include "core/TextInput.h"
#include "core/WholeFile.h"
#include "game/PlayOptions.h"
#include "graphics/TextureManager.h"
#include "sound/MusicPlayer.h"
#include "sound/WubManager.h"

namespace fs = std::filesystem;

namespace {

const char* const settingsFileName = "settings.ini";
const char* const couldNotInitialize = "ERROR: could not initialize settings.ini";

// Window sizes the window system is asked for; the reshape that follows reports the real one.
// A side beyond 8192 pixels costs hundreds of megabytes and fits no screen.
const int fallbackWindowWidth = 640;
const int fallbackWindowHeight = 480;
const int smallestWindowSide = 1;
const int largestWindowSide = 8192;
const char* const windowIcon = "sprites/icon.png";

bool isTruthWord(const std::string& value) {
    static const std::set<std::string> words = {"1", "true", "on", "yes", "TRUE", "ON", "YES"};
    return words.count(value) != 0;
}

bool isFalsehoodWord(const std::string& value) {
    static const std::set<std::string> words = {"0", "false", "off", "OFF", "Off", "no", "NO"};
    return words.count(value) != 0;
}

bool isSkipped(const std::string& line) {
    return line.empty() || line == " " || line[0] == ';';
}

bool settingsFileIsMissing() {
    std::error_code ec;
    // A dangling link counts as present: it is the user's, and is not replaced.
    return fs::symlink_status(settingsFileName, ec).type() == fs::file_type::not_found;
}

bool usableSide(const std::optional<int>& side) {
    return !side || (*side >= smallestWindowSide && *side <= largestWindowSide);
}

int windowRequest(int side, int fallback) {
    if (side <= 0) {
        return fallback;
    }
    return side > largestWindowSide ? largestWindowSide : side;
}

// "timer=on": the level's running time in a corner of the view. Read only when present.
bool applyTimerLine(const std::string& key, const std::string& value) {
    if (key != "timer") {
        return false;
    }
    if (isTruthWord(value)) {
        PlayOptions::instance().showTimer = true;
    }
    return true;
}

// "speed=50" to "speed=100": the game's pace in percent. Anything else is one log line and full speed.
bool applySpeedLine(const std::string& key, const std::string& value) {
    if (key != "speed") {
        return false;
    }
    const int percent = parseInt(value);
    if (std::to_string(percent) == value && percent >= PlayOptions::kSlowestSpeed &&
        percent <= PlayOptions::kFullSpeed) {
        PlayOptions::instance().speedPercent = percent;
    } else {
        std::cout << "[MAIN] settings.ini: speed=" << value << " is not a percentage from "
                  << PlayOptions::kSlowestSpeed << " to " << PlayOptions::kFullSpeed << "; playing at full speed\n";
        PlayOptions::instance().speedPercent = PlayOptions::kFullSpeed;
    }
    return true;
}

// "jump grace=on": a jump pressed just before landing or just after walking off a ledge counts.
bool applyJumpGraceLine(const std::string& key, const std::string& value) {
    if (key != "jump grace") {
        return false;
    }
    if (isTruthWord(value)) {
        PlayOptions::instance().jumpGrace = true;
    }
    return true;
}

// "music volume=0" to "music volume=100": the music's level in percent of the default one.
bool applyMusicVolumeLine(const std::string& key, const std::string& value) {
    if (key != "music volume") {
        return false;
    }
    const int percent = parseInt(value);
    if (std::to_string(percent) == value && percent >= 0 && percent <= 100) {
        MusicPlayer::instance()->setVolumePercent(percent);
    } else {
        std::cout << "[MAIN] settings.ini: music volume=" << value
                  << " is not a percentage from 0 to 100; the music keeps its level\n";
    }
    return true;
}

}  // namespace

bool applySettings(std::istream& in, RequestedSize* requested) {
    TextureManager* textures = TextureManager::instance();
    bool fullscreen = false;
    std::string line;
    while (readTextLine(in, line)) {
        if (isSkipped(line) || line[0] == '[') {
            continue;
        }
        const size_t equals = line.find('=');
        const std::string key = equals == std::string::npos ? line : line.substr(0, equals);
        const std::string value = equals == std::string::npos ? line : line.substr(equals + 1);
        if (KeyBindings::instance()->applySetting(key, value)) {
            continue;
        }
        if (key == "fullscreen" && isTruthWord(value)) {
            fullscreen = true;
        } else if (key == "width") {
            textures->setScreenWidth(parseInt(value));
            if (requested != nullptr) {
                requested->width = parseInt(value);
            }
        } else if (key == "height") {
            textures->setScreenHeight(parseInt(value));
            if (requested != nullptr) {
                requested->height = parseInt(value);
            }
        } else if (key == "apple sfx" && isFalsehoodWord(value)) {
            WubManager::instance()->defaultVolume = 0;
        } else if (key == "scale" && value == "auto") {
            ScreenMode::instance()->autoScale = true;
        } else if (key == "scale" && value == "fit") {
            ScreenMode::instance()->fitScale = true;
        } else if (key == "music" && isFalsehoodWord(value)) {
            MusicPlayer::instance()->setEnabled(false);
        } else if (applyTimerLine(key, value) || applySpeedLine(key, value) || applyJumpGraceLine(key, value) ||
                   applyMusicVolumeLine(key, value)) {
            continue;
        }
    }
    return fullscreen;
}

std::string defaultSettingsText() {
    const TextureManager* textures = TextureManager::instance();
    std::ostringstream text;
    text << "[window]\n";
    text << "fullscreen=0\n";
    text << "width=" << textures->screenWidth << "\n";
    text << "height=" << textures->screenHeight << "\n";
    text << "apple sfx=" << (WubManager::instance()->defaultVolume > 0 ? "on\n" : "off\n");
    return text.str();
}

void keepWindowUsable(const RequestedSize& requested) {
    if (usableSide(requested.width) && usableSide(requested.height)) {
        return;
    }
    TextureManager* textures = TextureManager::instance();
    std::cout << "[MAIN] settings.ini asks for a " << requested.width.value_or(textures->screenWidth) << "x"
              << requested.height.value_or(textures->screenHeight) << " window; each side must be "
              << smallestWindowSide << " to " << largestWindowSide << ", so it opens at " << fallbackWindowWidth << "x"
              << fallbackWindowHeight << "\n";
    textures->setScreenWidth(fallbackWindowWidth);
    textures->setScreenHeight(fallbackWindowHeight);
}

bool readSettings() {
    // A start killed while writing the first file left its temporary behind.
    for (const std::string& name : removeStaleTemporaries(settingsFileName, defaultSettingsText)) {
        std::cout << "[MAIN] removed " << name << ", left by a start that was cut off\n";
    }
    std::error_code ec;
    const bool regular = fs::is_regular_file(settingsFileName, ec);
    std::ifstream in;
    if (regular) {
        in.open(settingsFileName);
    }
    if (!in.is_open()) {
        if (!settingsFileIsMissing() || !writeWholeFile(settingsFileName, defaultSettingsText)) {
            std::cout << couldNotInitialize;
        }
        return false;
    }
    RequestedSize requested;
    const bool fullscreen = applySettings(in, &requested);
    keepWindowUsable(requested);
    return fullscreen;
}

void openWindow(bool fullscreen) {
    const TextureManager* textures = TextureManager::instance();
    const int width = textures->screenWidth;
    const int height = textures->screenHeight;
    std::cout << "[MAIN] Screen: " << width << "x" << height << (fullscreen ? ", fullscreen\n" : ", windowed\n");

    glutInitWindowSize(windowRequest(width, fallbackWindowWidth), windowRequest(height, fallbackWindowHeight));
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vantorel");
    setWindowIdentity(windowIcon);

    if (fullscreen) {
        const std::string mode = std::to_string(width) + "x" + std::to_string(height) + ":32@60";
        glutGameModeString(mode.c_str());
        ScreenMode::instance()->enterFullScreen();
    }
    registerCallbacks();
}
