// Feeds arbitrary bytes to the settings reader as settings.ini in the current folder, then
// checks that a fresh file written from what was read reads back to the same values.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "FuzzSupport.h"
#include "app/Settings.h"
#include "graphics/TextureManager.h"
#include "sound/WubManager.h"

namespace {

struct Values {
    int width;
    int height;
    float volume;
    bool operator==(const Values& o) const { return width == o.width && height == o.height && volume == o.volume; }
};

Values current() {
    return Values{TextureManager::instance()->screenWidth, TextureManager::instance()->screenHeight,
                  WubManager::instance()->defaultVolume};
}

void startFresh(const Values& defaults) {
    TextureManager::instance()->setScreenWidth(defaults.width);
    TextureManager::instance()->setScreenHeight(defaults.height);
    WubManager::instance()->defaultVolume = defaults.volume;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (fuzzsupport::quietSound(), true);
    (void)quiet;
    fuzzsupport::SilencedLog silenced;
    static const Values defaults = current();
    startFresh(defaults);
    fuzzsupport::writeInput("settings.ini", data, size);
    readSettings();

    const Values read = current();
    std::istringstream fresh(defaultSettingsText());
    startFresh(defaults);
    const bool fullscreen = applySettings(fresh);
    fuzzsupport::require(!fullscreen, "a fresh settings file asks for a window");
    fuzzsupport::require(current() == read, "a written settings file reads back the same");
    return 0;
}
