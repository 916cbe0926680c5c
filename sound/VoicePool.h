#pragma once
#include <cstdint>
#include <vector>

// Which mixer voice the next play takes. Pure bookkeeping: the engine tells it which voices
// are idle and what it started on them.
class VoicePool {
public:
    static constexpr int kNoVoice = -1;

    explicit VoicePool(int voiceCount);
    int size() const { return static_cast<int>(voices.size()); }

    // The first idle voice; when none is idle, the non-looping voice started longest ago; kNoVoice
    // when every voice holds a loop. `idle` has one entry per voice.
    int choose(const std::vector<bool>& idle) const;

    void started(int voice, bool looping);
    void stoppedAll();

private:
    struct Voice {
        bool looping = false;
        uint64_t startOrder = 0;
    };
    std::vector<Voice> voices;
    uint64_t nextStart = 1;
};
