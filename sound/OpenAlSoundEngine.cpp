#include "sound/OpenAlSoundEngine.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iostream>

#include "sound/WavDecoder.h"

namespace {

// Distance rolloff: full volume within a source's minimum distance, minDistance / d beyond it.
constexpr ALenum kDistanceModel = AL_INVERSE_DISTANCE_CLAMPED;
constexpr ALfloat kRolloff = 1.0f;

// The game's axes form a left-handed frame (listener looking along +z, up +y, +x to its right);
// OpenAL's are right-handed. Mirroring z keeps x and y as they are and puts +x on the right.
std::array<ALfloat, 3> toOpenAl(const irrklang::vec3df& v) {
    return {v.X, v.Y, -v.Z};
}

void closeDevice(ALCdevice* device, ALCcontext* context) {
    if (context) {
        if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
    }
    alcCloseDevice(device);
}

// Never destroyed, so the exit hook can still read it whatever order exit() takes.
std::vector<OpenAlSoundEngine*>& openEngines() {
    static auto* engines = new std::vector<OpenAlSoundEngine*>();
    return *engines;
}

std::vector<ALuint> generateVoices(int count) {
    std::vector<ALuint> voices;
    for (int i = 0; i < count; ++i) {
        alGetError();
        ALuint id = 0;  // alGenSources leaves it untouched when it fails
        alGenSources(1, &id);
        if (alGetError() != AL_NO_ERROR || id == 0) break;
        voices.push_back(id);
    }
    return voices;
}

}  // namespace

OpenAlSoundEngine* OpenAlSoundEngine::open(ALCdevice* device, const ALCint* contextAttributes, int voiceCount) {
    if (!device) return nullptr;
    ALCcontext* context = alcCreateContext(device, contextAttributes);
    if (!context || !alcMakeContextCurrent(context)) {
        closeDevice(device, context);
        return nullptr;
    }
    alDistanceModel(kDistanceModel);
    std::vector<ALuint> voices = generateVoices(voiceCount);
    if (voices.empty()) {
        closeDevice(device, context);
        return nullptr;
    }
    return new OpenAlSoundEngine(device, context, std::move(voices));
}

OpenAlSoundEngine::OpenAlSoundEngine(ALCdevice* device, ALCcontext* mixContext, std::vector<ALuint> voiceIds)
    : alcDevice(device), context(mixContext), voices(std::move(voiceIds)), pool(static_cast<int>(voices.size())) {
    // The game's engine lives as long as the process and is never dropped: OpenAL would
    // report its device as left open when the library is unloaded after exit().
    static const bool hooked = std::atexit(closeOpenEnginesAtExit) == 0;
    (void)hooked;
    openEngines().push_back(this);
}

OpenAlSoundEngine::~OpenAlSoundEngine() {
    closeOutput();
    std::vector<OpenAlSoundEngine*>& engines = openEngines();
    engines.erase(std::remove(engines.begin(), engines.end(), this), engines.end());
}

void OpenAlSoundEngine::closeOpenEnginesAtExit() {
    for (OpenAlSoundEngine* engine : openEngines()) engine->closeOutput();
}

void OpenAlSoundEngine::closeOutput() {
    if (!context) return;
    makeCurrent();
    // Buffers still attached to a voice cannot be deleted: stop and detach every voice first.
    if (!voices.empty()) alSourceStopv(static_cast<ALsizei>(voices.size()), voices.data());
    for (ALuint voice : voices) alSourcei(voice, AL_BUFFER, 0);
    alDeleteSources(static_cast<ALsizei>(voices.size()), voices.data());
    voices.clear();
    sources.clear();
    closeDevice(alcDevice, context);
    context = nullptr;
    alcDevice = nullptr;
}

bool OpenAlSoundEngine::drop() {
    if (--references > 0) return false;
    delete this;
    return true;
}

void OpenAlSoundEngine::makeCurrent() const {
    if (context && alcGetCurrentContext() != context) alcMakeContextCurrent(context);
}

irrklang::ISoundSource* OpenAlSoundEngine::addSoundSourceFromFile(const char* fileName, irrklang::E_STREAM_MODE, bool) {
    if (!fileName || !context) return nullptr;
    DecodedSound sound;
    std::string error;
    // The game's log is std::cout, where the caller's request line waits for its outcome:
    // the reason goes to the error stream instead.
    if (!WavDecoder::decode(fileName, sound, error)) {
        std::cerr << "sound: cannot use \"" << fileName << "\": " << error << "\n";
        return nullptr;
    }
    makeCurrent();
    OpenAlSoundSource* source = OpenAlSoundSource::create(sound);
    if (!source) {
        std::cerr << "sound: the mixer refused \"" << fileName << "\"\n";
        return nullptr;
    }
    sources.emplace_back(source);
    return source;
}

irrklang::ISound* OpenAlSoundEngine::play2D(irrklang::ISoundSource* source, bool playLooped, bool startPaused, bool,
                                            bool) {
    if (!startPaused) play(source, false, irrklang::vec3df(), playLooped);
    return nullptr;
}

irrklang::ISound* OpenAlSoundEngine::play3D(irrklang::ISoundSource* source, irrklang::vec3df position, bool playLooped,
                                            bool startPaused, bool, bool) {
    if (!startPaused) play(source, true, position, playLooped);
    return nullptr;
}

void OpenAlSoundEngine::play(irrklang::ISoundSource* source, bool positioned, const irrklang::vec3df& position,
                             bool looped) {
    OpenAlSoundSource* own = ownSource(source);
    if (!own) return;
    makeCurrent();
    const int index = pool.choose(idleVoices());
    if (index == VoicePool::kNoVoice) return;
    const ALuint voice = voices[index];
    // A reused voice may still be playing, and a playing voice's buffer cannot change.
    alSourceStop(voice);
    alSourcei(voice, AL_BUFFER, static_cast<ALint>(own->buffer()));
    alSourcei(voice, AL_LOOPING, looped ? AL_TRUE : AL_FALSE);
    alSourcef(voice, AL_GAIN, own->getDefaultVolume());
    alSourcef(voice, AL_REFERENCE_DISTANCE, own->getDefaultMinDistance());
    alSourcef(voice, AL_ROLLOFF_FACTOR, kRolloff);
    // A 2D play sits on the listener, wherever it stands: centred and at full volume.
    const std::array<ALfloat, 3> at = positioned ? toOpenAl(position) : std::array<ALfloat, 3>{0, 0, 0};
    alSourcei(voice, AL_SOURCE_RELATIVE, positioned ? AL_FALSE : AL_TRUE);
    alSourcefv(voice, AL_POSITION, at.data());
    alSourcePlay(voice);
    pool.started(index, looped);
}

std::vector<bool> OpenAlSoundEngine::idleVoices() const {
    std::vector<bool> idle(voices.size());
    for (size_t v = 0; v < voices.size(); ++v) {
        ALint state = AL_STOPPED;
        alGetSourcei(voices[v], AL_SOURCE_STATE, &state);
        idle[v] = state == AL_INITIAL || state == AL_STOPPED;
    }
    return idle;
}

OpenAlSoundSource* OpenAlSoundEngine::ownSource(irrklang::ISoundSource* source) const {
    if (!source) return nullptr;
    for (const auto& own : sources) {
        if (own.get() == source) return own.get();
    }
    return nullptr;
}

void OpenAlSoundEngine::stopAllSounds() {
    makeCurrent();
    alSourceStopv(static_cast<ALsizei>(voices.size()), voices.data());
    pool.stoppedAll();
}

void OpenAlSoundEngine::setAllSoundsPaused(bool paused) {
    makeCurrent();
    const ALint from = paused ? AL_PLAYING : AL_PAUSED;
    for (const ALuint voice : voices) {
        ALint state = AL_STOPPED;
        alGetSourcei(voice, AL_SOURCE_STATE, &state);
        if (state != from) {
            continue;
        }
        if (paused) {
            alSourcePause(voice);
        } else {
            alSourcePlay(voice);
        }
    }
}

void OpenAlSoundEngine::setListenerPosition(const irrklang::vec3df& position, const irrklang::vec3df& lookDirection,
                                            const irrklang::vec3df& velocityPerSecond,
                                            const irrklang::vec3df& upVector) {
    makeCurrent();
    const std::array<ALfloat, 3> at = toOpenAl(lookDirection);
    const std::array<ALfloat, 3> up = toOpenAl(upVector);
    const ALfloat orientation[6] = {at[0], at[1], at[2], up[0], up[1], up[2]};
    alListenerfv(AL_POSITION, toOpenAl(position).data());
    alListenerfv(AL_VELOCITY, toOpenAl(velocityPerSecond).data());
    alListenerfv(AL_ORIENTATION, orientation);
}
