#include "sound/MusicPlayer.h"

#include <algorithm>
#include <iostream>
#include <iterator>

#include "sound/OpenAlSoundEngine.h"
#include "sound/OpenAlSoundSource.h"
#include "sound/WavDecoder.h"
#include "sound/WubManager.h"

namespace {
// Decoded tracks kept at once: the title's and one level's.
const size_t keptTracks = 2;
}  // namespace

MusicPlayer* MusicPlayer::instance() {
    static MusicPlayer* player = [] {
        auto* p = new MusicPlayer();
        p->lazy = true;
        return p;
    }();
    return player;
}

MusicPlayer::MusicPlayer(OpenAlSoundEngine* soundEngine) : engine(soundEngine) {}

MusicPlayer::~MusicPlayer() {
    if (voice != 0) {
        engine->makeCurrent();
        alSourceStop(voice);
        alSourcei(voice, AL_BUFFER, 0);
        alDeleteSources(1, &voice);
    }
    kept.clear();
}

bool MusicPlayer::attach() {
    if (!attached) {
        attached = true;
        if (lazy) {
            engine = dynamic_cast<OpenAlSoundEngine*>(WubManager::instance()->engine);
        }
        if (engine != nullptr) {
            engine->makeCurrent();
            alGetError();
            ALuint id = 0;  // left untouched when the device has no source to spare
            alGenSources(1, &id);
            voice = alGetError() == AL_NO_ERROR ? id : 0;
        }
    }
    return voice != 0;
}

OpenAlSoundSource* MusicPlayer::load(const std::string& file) {
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (it->file == file) {
            kept.splice(kept.begin(), kept, it);
            return kept.front().source.get();
        }
    }
    DecodedSound sound;
    std::string error;
    if (!WavDecoder::decode(file, sound, error)) {
        std::cerr << "music: cannot use \"" << file << "\": " << error << "\n";
        return nullptr;
    }
    std::unique_ptr<OpenAlSoundSource> source(OpenAlSoundSource::create(sound));
    if (!source) {
        return nullptr;
    }
    if (kept.size() >= keptTracks) {
        // A buffer still attached to the voice cannot be deleted.
        alSourcei(voice, AL_BUFFER, 0);
        kept.erase(std::prev(kept.end()), kept.end());
    }
    kept.push_front(Decoded{file, std::move(source)});
    return kept.front().source.get();
}

void MusicPlayer::play(const std::string& file) {
    start(file, kFadeMilliseconds);
}

void MusicPlayer::fadeIn(const std::string& file) {
    start(file, 0);
}

void MusicPlayer::start(const std::string& file, unsigned int fadedSoFar) {
    if (!switchedOn || !attach()) {
        return;
    }
    engine->makeCurrent();
    stop();
    const OpenAlSoundSource* track = load(file);
    if (track == nullptr) {
        std::cout << "[MUSIC] ERROR: cannot play " << file << "\n";
        return;
    }
    alSourcei(voice, AL_BUFFER, static_cast<ALint>(track->buffer()));
    alSourcei(voice, AL_LOOPING, AL_TRUE);
    alSourcei(voice, AL_SOURCE_RELATIVE, AL_TRUE);
    const ALfloat centre[3] = {0.0f, 0.0f, 0.0f};
    alSourcefv(voice, AL_POSITION, centre);
    alSourcef(voice, AL_ROLLOFF_FACTOR, 0.0f);
    faded = fadedSoFar;
    applyGain();
    alSourcePlay(voice);
    playing = file;
}

void MusicPlayer::advanceFade(unsigned int milliseconds) {
    if (faded >= kFadeMilliseconds || playing.empty()) {
        return;
    }
    faded = std::min(kFadeMilliseconds, faded + milliseconds);
    applyGain();
}

void MusicPlayer::setVolumePercent(int percent) {
    volume = kVolume * static_cast<float>(std::max(0, std::min(100, percent))) / 100.0f;
    applyGain();
}

void MusicPlayer::applyGain() {
    if (voice == 0) {
        return;
    }
    engine->makeCurrent();
    const float share = static_cast<float>(faded) / static_cast<float>(kFadeMilliseconds);
    alSourcef(voice, AL_GAIN, volume * std::min(1.0f, share));
}

void MusicPlayer::stop() {
    if (voice != 0) {
        engine->makeCurrent();
        alSourceStop(voice);
    }
    playing.clear();
}

void MusicPlayer::pause() {
    if (voice != 0 && !playing.empty()) {
        engine->makeCurrent();
        alSourcePause(voice);
    }
}

void MusicPlayer::resume() {
    if (voice == 0 || playing.empty()) {
        return;
    }
    engine->makeCurrent();
    ALint state = AL_STOPPED;
    alGetSourcei(voice, AL_SOURCE_STATE, &state);
    if (state == AL_PAUSED) {
        alSourcePlay(voice);
    }
}

void MusicPlayer::setEnabled(bool on) {
    switchedOn = on;
    if (!on) {
        stop();
    }
}
