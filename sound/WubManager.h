#pragma once
#include <map>
#include <string>

namespace irrklang {
class ISoundEngine;
class ISoundSource;
}  // namespace irrklang

// The one sound manager: starts the engine and hands out cached sources by exact file name.
// Sources belong to the engine for the whole run. engine is null when no device could be opened.
class WubManager {
public:
    static WubManager* instance();

    // The cached or newly loaded source for the file, or null when none could be made.
    irrklang::ISoundSource* requestSoundSource(const std::string& name);

    float defaultVolume = 0.05f;
    irrklang::ISoundEngine* engine = nullptr;
    std::map<std::string, irrklang::ISoundSource*> sources;

private:
    WubManager();
};
