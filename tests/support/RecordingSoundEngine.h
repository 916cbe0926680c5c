#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sound/ISoundEngine.h"

namespace testsupport {

// A source that only knows the file it stands for, and counts the holds taken on it.
class FakeSoundSource : public irrklang::ISoundSource {
public:
    explicit FakeSoundSource(std::string fileName = "") : name(std::move(fileName)) {}
    void setDefaultVolume(float value) override { volume = value; }
    float getDefaultVolume() const override { return volume; }
    void setDefaultMinDistance(float value) override { minDistance = value; }
    float getDefaultMinDistance() const override { return minDistance; }
    void grab() override { ++grabs; }
    bool drop() override {
        ++drops;
        return false;
    }

    std::string name;
    float volume = 1.0f;
    float minDistance = 1.0f;
    int grabs = 0;
    int drops = 0;
};

// Writes down what the game asks of the mixer instead of making a sound. The events read
// "stop", "pause", "resume", "2D <file>", "3D <file>" or "3D <file> looped".
class RecordingSoundEngine : public irrklang::ISoundEngine {
public:
    // Whether files asked for get a source named after them, or are refused as missing ones.
    enum class Sources { Refused, ByName };

    struct Play {
        irrklang::ISoundSource* source;
        irrklang::vec3df position;
        bool looped;
        bool positioned;
    };
    struct Listener {
        irrklang::vec3df position;
        irrklang::vec3df look;
        irrklang::vec3df velocity;
        irrklang::vec3df up;
    };

    explicit RecordingSoundEngine(Sources given = Sources::Refused) : handOut(given) {}

    irrklang::ISoundSource* addSoundSourceFromFile(const char* fileName, irrklang::E_STREAM_MODE, bool) override {
        if (handOut == Sources::Refused) {
            return nullptr;
        }
        std::unique_ptr<FakeSoundSource>& source = sources[fileName];
        if (!source) {
            source = std::make_unique<FakeSoundSource>(fileName);
        }
        return source.get();
    }
    irrklang::ISound* play2D(irrklang::ISoundSource* source, bool looped, bool, bool, bool) override {
        plays.push_back(Play{source, irrklang::vec3df(), looped, false});
        events.push_back("2D " + nameOf(source));
        return nullptr;
    }
    irrklang::ISound* play3D(irrklang::ISoundSource* source, irrklang::vec3df position, bool looped, bool, bool,
                             bool) override {
        plays.push_back(Play{source, position, looped, true});
        events.push_back("3D " + nameOf(source) + (looped ? " looped" : ""));
        return nullptr;
    }
    void stopAllSounds() override { events.push_back("stop"); }
    void setAllSoundsPaused(bool paused) override { events.push_back(paused ? "pause" : "resume"); }
    void setListenerPosition(const irrklang::vec3df& position, const irrklang::vec3df& look,
                             const irrklang::vec3df& velocity, const irrklang::vec3df& up) override {
        listeners.push_back(Listener{position, look, velocity, up});
    }
    void grab() override {}
    bool drop() override { return false; }

    int playsOf(const irrklang::ISoundSource* source) const {
        int count = 0;
        for (const Play& play : plays) {
            count += play.source == source ? 1 : 0;
        }
        return count;
    }

    std::vector<Play> plays;
    std::vector<std::string> events;
    std::vector<Listener> listeners;

private:
    static std::string nameOf(irrklang::ISoundSource* source) {
        const auto* named = dynamic_cast<FakeSoundSource*>(source);
        return named == nullptr ? "(none)" : named->name;
    }

    Sources handOut;
    std::map<std::string, std::unique_ptr<FakeSoundSource>> sources;
};

}  // namespace testsupport
