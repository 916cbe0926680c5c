#include "LoopbackMixer.h"

#include <cmath>
#include <vector>

#include "TestSound.h"

namespace soundtest {

LoopbackMixer::LoopbackMixer(int voiceCount) {
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return;
    auto openLoopback =
        reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    renderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!openLoopback || !renderSamples) return;
    device = openLoopback(nullptr);
    const ALCint attributes[] = {
        ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT, ALC_FREQUENCY, kRate, 0};
    mixEngine = OpenAlSoundEngine::open(device, attributes, voiceCount);
    if (!mixEngine) device = nullptr;
}

LoopbackMixer::~LoopbackMixer() {
    if (mixEngine && owned) mixEngine->drop();
}

OpenAlSoundEngine* LoopbackMixer::release() {
    owned = false;
    return mixEngine;
}

std::vector<float> LoopbackMixer::renderFrames(int frames) {
    std::vector<float> mix;
    if (!device || frames <= 0) return mix;
    mix.resize(static_cast<size_t>(frames) * 2);
    renderSamples(device, mix.data(), frames);
    return mix;
}

LoopbackMixer::Levels LoopbackMixer::render(int frames) {
    Levels levels;
    const std::vector<float> mix = renderFrames(frames);
    if (mix.empty()) return levels;
    double left = 0.0, right = 0.0;
    for (int f = 0; f < frames; ++f) {
        left += double(mix[2 * f]) * mix[2 * f];
        right += double(mix[2 * f + 1]) * mix[2 * f + 1];
    }
    levels.left = std::sqrt(left / frames);
    levels.right = std::sqrt(right / frames);
    return levels;
}

}  // namespace soundtest
