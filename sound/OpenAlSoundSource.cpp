#include "sound/OpenAlSoundSource.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "sound/WavDecoder.h"

OpenAlSoundSource* OpenAlSoundSource::create(const DecodedSound& sound) {
    const size_t bytes = sound.samples.size() * sizeof(int16_t);
    if (sound.samples.empty() || bytes > static_cast<size_t>(INT_MAX)) return nullptr;

    alGetError();
    ALuint id = 0;
    alGenBuffers(1, &id);
    if (alGetError() != AL_NO_ERROR || id == 0) return nullptr;
    alBufferData(id, AL_FORMAT_MONO16, sound.samples.data(), static_cast<ALsizei>(bytes), sound.sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &id);
        return nullptr;
    }
    return new OpenAlSoundSource(id);
}

OpenAlSoundSource::~OpenAlSoundSource() {
    alDeleteBuffers(1, &bufferId);
}

void OpenAlSoundSource::setDefaultVolume(float newVolume) {
    if (std::isnan(newVolume)) return;
    volume = std::clamp(newVolume, 0.0f, 1.0f);
}

void OpenAlSoundSource::setDefaultMinDistance(float distance) {
    if (!std::isfinite(distance) || distance < 0.0f) return;
    minDistance = distance;
}

bool OpenAlSoundSource::drop() {
    if (references > 1) --references;
    return false;
}
