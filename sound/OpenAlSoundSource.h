#pragma once
#include <AL/al.h>

#include "sound/ISoundSource.h"

struct DecodedSound;

// One decoded file in an OpenAL buffer with the defaults its plays start with. The engine that
// made it owns it and deletes it (and the buffer) when the engine goes: drop() never frees it.
class OpenAlSoundSource : public irrklang::ISoundSource {
public:
    static constexpr float kInitialVolume = 1.0f;
    static constexpr float kInitialMinDistance = 1.0f;  // units of 128 pixels

    // Uploads the samples into a new buffer; null when OpenAL refuses them. Needs the owning
    // engine's context to be current, now and when the source is deleted.
    static OpenAlSoundSource* create(const DecodedSound& sound);
    ~OpenAlSoundSource() override;

    OpenAlSoundSource(const OpenAlSoundSource&) = delete;
    OpenAlSoundSource& operator=(const OpenAlSoundSource&) = delete;

    // Volumes outside 0..1 are clamped, NaN is ignored.
    void setDefaultVolume(float volume) override;
    float getDefaultVolume() const override { return volume; }
    // Negative and non-finite distances are ignored.
    void setDefaultMinDistance(float distance) override;
    float getDefaultMinDistance() const override { return minDistance; }
    void grab() override { ++references; }
    // Gives back a grab(); the engine's own reference is never given back here.
    bool drop() override;

    ALuint buffer() const { return bufferId; }

private:
    explicit OpenAlSoundSource(ALuint buffer) : bufferId(buffer) {}

    ALuint bufferId;
    float volume = kInitialVolume;
    float minDistance = kInitialMinDistance;
    int references = 1;
};
