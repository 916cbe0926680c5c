#pragma once
#include <AL/alc.h>
#include <AL/alext.h>

#include <vector>

#include "sound/OpenAlSoundEngine.h"

namespace soundtest {

// A sound engine on OpenAL Soft's loopback device: nothing plays until render() mixes the next
// frames into memory, so what the engine made of its plays can be measured.
class LoopbackMixer {
public:
    struct Levels {
        double left = 0.0;  // RMS of each channel of the stereo mix
        double right = 0.0;
    };

    explicit LoopbackMixer(int voiceCount = OpenAlSoundEngine::kVoiceCount);
    ~LoopbackMixer();
    LoopbackMixer(const LoopbackMixer&) = delete;
    LoopbackMixer& operator=(const LoopbackMixer&) = delete;

    // Null when the loopback device could not be opened.
    OpenAlSoundEngine* engine() const { return mixEngine; }
    // Hands the engine to someone else, who then drops it; rendering still works meanwhile.
    OpenAlSoundEngine* release();

    Levels render(int frames);
    // The next frames of the mix, interleaved left and right; empty without a device.
    std::vector<float> renderFrames(int frames);

private:
    OpenAlSoundEngine* mixEngine = nullptr;
    bool owned = true;
    ALCdevice* device = nullptr;
    LPALCRENDERSAMPLESSOFT renderSamples = nullptr;
};

}  // namespace soundtest
