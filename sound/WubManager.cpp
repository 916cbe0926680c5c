#include "sound/WubManager.h"

#include <iostream>

#include "sound/irrKlang.h"

namespace {

constexpr float kDefaultVolume = 0.05f;
constexpr float kDefaultMinDistance = 2.0f;  // units of 128 pixels
const char* const kEngineVersion = "1.4.0";

}  // namespace

WubManager* WubManager::instance() {
    static WubManager* manager = new WubManager();
    return manager;
}

WubManager::WubManager() {
    sources.clear();
    engine = irrklang::createIrrKlangDevice(irrklang::ESOD_AUTO_DETECT, irrklang::ESEO_DEFAULT_OPTIONS, nullptr,
                                            kEngineVersion);
    if (engine) {
        std::cout << "[WubManager] Korvane is ready to rock!\n";
    } else {
        std::cout << "[WubManager] ERROR: Could not startup the sound engine\n";
    }
    defaultVolume = kDefaultVolume;
}

irrklang::ISoundSource* WubManager::requestSoundSource(const std::string& name) {
    std::cout << "Requesting Sound Source for \"" << name << "\" ... ";
    auto cached = sources.find(name);
    if (cached != sources.end()) {
        std::cout << "SoundSource already loaded.\n";
        return cached->second;
    }
    // Without an engine there is nothing to ask: the request fails like an unreadable file.
    irrklang::ISoundSource* source =
        engine ? engine->addSoundSourceFromFile(name.c_str(), irrklang::ESM_AUTO_DETECT, false) : nullptr;
    if (!source) return nullptr;
    sources[name] = source;
    source->setDefaultMinDistance(kDefaultMinDistance);
    source->setDefaultVolume(defaultVolume);
    std::cout << "successfully loaded.\n";
    return source;
}
