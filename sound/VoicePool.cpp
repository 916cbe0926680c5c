#include "sound/VoicePool.h"

VoicePool::VoicePool(int voiceCount) : voices(voiceCount > 0 ? voiceCount : 0) {}

int VoicePool::choose(const std::vector<bool>& idle) const {
    for (int v = 0; v < size(); ++v) {
        if (v < static_cast<int>(idle.size()) && idle[v]) return v;
    }
    int oldest = kNoVoice;
    for (int v = 0; v < size(); ++v) {
        if (voices[v].looping) continue;
        if (oldest == kNoVoice || voices[v].startOrder < voices[oldest].startOrder) oldest = v;
    }
    return oldest;
}

void VoicePool::started(int voice, bool looping) {
    if (voice < 0 || voice >= size()) return;
    voices[voice].looping = looping;
    voices[voice].startOrder = nextStart++;
}

void VoicePool::stoppedAll() {
    for (Voice& voice : voices) voice.looping = false;
}
