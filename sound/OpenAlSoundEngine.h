#pragma once
#include <AL/al.h>
#include <AL/alc.h>

#include <memory>
#include <vector>

#include "sound/ISoundEngine.h"
#include "sound/OpenAlSoundSource.h"
#include "sound/VoicePool.h"

// The sound engine over one OpenAL device: decodes files into sources it owns for its whole
// life and plays them on a fixed pool of voices. drop() of the last reference deletes it, which
// stops every voice and releases the sources, the context and the device. Engines still open
// when the process exits are closed then, so OpenAL never finds a device left open; a closed
// engine plays nothing.
class OpenAlSoundEngine : public irrklang::ISoundEngine {
public:
    static constexpr int kVoiceCount = 128;

    // Takes over the device (an output device, or a loopback device in tests). Null, with the
    // device closed, when no context or no voice can be made on it. Null attributes take the
    // device's defaults.
    static OpenAlSoundEngine* open(ALCdevice* device, const ALCint* contextAttributes = nullptr,
                                   int voiceCount = kVoiceCount);
    ~OpenAlSoundEngine() override;

    OpenAlSoundEngine(const OpenAlSoundEngine&) = delete;
    OpenAlSoundEngine& operator=(const OpenAlSoundEngine&) = delete;

    // The file is decoded completely, whatever the stream mode and preload flag say.
    irrklang::ISoundSource* addSoundSourceFromFile(const char* fileName,
                                                   irrklang::E_STREAM_MODE mode = irrklang::ESM_AUTO_DETECT,
                                                   bool preload = false) override;
    // Plays are never tracked, so both forms return null. A play asked to start paused could
    // never be resumed without a handle, so it plays nothing.
    irrklang::ISound* play2D(irrklang::ISoundSource* source, bool playLooped = false, bool startPaused = false,
                             bool track = false, bool enableSoundEffects = false) override;
    irrklang::ISound* play3D(irrklang::ISoundSource* source, irrklang::vec3df position, bool playLooped = false,
                             bool startPaused = false, bool track = false, bool enableSoundEffects = false) override;
    void stopAllSounds() override;
    // Held voices keep their place in the pool: nothing new is started on them.
    void setAllSoundsPaused(bool paused = true) override;
    void setListenerPosition(const irrklang::vec3df& position, const irrklang::vec3df& lookDirection,
                             const irrklang::vec3df& velocityPerSecond = irrklang::vec3df(0, 0, 0),
                             const irrklang::vec3df& upVector = irrklang::vec3df(0, 1, 0)) override;
    void grab() override { ++references; }
    bool drop() override;

    ALCdevice* device() const { return alcDevice; }
    int voiceCount() const { return pool.size(); }
    // Makes this engine's context the current one, for others that share its device.
    void makeCurrent() const;

private:
    OpenAlSoundEngine(ALCdevice* device, ALCcontext* context, std::vector<ALuint> voices);

    // Stops the voices and releases the sources, the context and the device; once only.
    void closeOutput();
    static void closeOpenEnginesAtExit();
    void play(irrklang::ISoundSource* source, bool positioned, const irrklang::vec3df& position, bool looped);
    std::vector<bool> idleVoices() const;
    OpenAlSoundSource* ownSource(irrklang::ISoundSource* source) const;

    ALCdevice* alcDevice;
    ALCcontext* context;
    std::vector<ALuint> voices;
    VoicePool pool;
    std::vector<std::unique_ptr<OpenAlSoundSource>> sources;
    int references = 1;
};
