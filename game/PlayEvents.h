#pragma once
#include <array>
#include <cstddef>

#include "core/Bounds.h"

// What happened in a tick of play or on a key, in the order it happened, with the player's box
// at that moment (where its sound is to be heard). The game turns them into sounds, the
// camera, the log and the next level; tools only read them.
struct PlayEvent {
    enum class Kind { Jumped, Landed, TouchedHazard, Respawned, ReachedCheckpoint, ReachedGoal };
    Kind kind = Kind::Landed;
    Bounds player;
};

// The few events one tick can have, without allocating.
class PlayEvents {
public:
    void add(PlayEvent::Kind kind, Bounds player) {
        if (count < list.size()) {
            list[count++] = PlayEvent{kind, player};
        }
    }
    bool has(PlayEvent::Kind kind) const {
        for (size_t i = 0; i < count; ++i) {
            if (list[i].kind == kind) {
                return true;
            }
        }
        return false;
    }
    const PlayEvent* begin() const { return list.data(); }
    const PlayEvent* end() const { return list.data() + count; }
    size_t size() const { return count; }

private:
    std::array<PlayEvent, 4> list{};
    size_t count = 0;
};
