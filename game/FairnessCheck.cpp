#include "game/FairnessCheck.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>

#include "level/Level.h"
#include "level/LevelReader.h"
#include "objects/Trap.h"

namespace {

const unsigned kJitterSeed = 20261209;  // the same jitter every run, so reports compare

using Event = InputScript::Event;

void sortByTick(std::vector<Event>& events) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.tick < b.tick; });
}

// Pixels between two boxes that do not overlap; 0 when they touch or overlap.
int64_t gapBetween(Bounds a, Bounds b) {
    const int64_t gapX =
        std::max({int64_t{0}, int64_t{a.x} - (int64_t{b.x} + b.w), int64_t{b.x} - (int64_t{a.x} + a.w)});
    const int64_t gapY =
        std::max({int64_t{0}, int64_t{a.y} - (int64_t{b.y} + b.h), int64_t{b.y} - (int64_t{a.y} + a.h)});
    return std::max(gapX, gapY);
}

// The events from the first at or after that tick moved later by the wait.
std::vector<Event> waitedAt(std::vector<Event> events, int tick, int wait) {
    for (Event& event : events) {
        if (event.tick >= tick) {
            event.tick += wait;
        }
    }
    return events;
}

}  // namespace

FairnessCheck::FairnessCheck(std::string levelFile, InputScript keys, std::map<unsigned, InputScript> ownKeys,
                             Options checkOptions)
    : level(std::move(levelFile)), recordedEvents(keys.events()), seedKeys(std::move(ownKeys)), options(checkOptions) {
    sortByTick(recordedEvents);
}

FairnessCheck::~FairnessCheck() = default;

int64_t FairnessCheck::gapToTrap(const PlayState& state, const Level& level, size_t trap) {
    const TrapMotion& motion = state.scenery.traps[trap];
    const Bounds box{motion.x, motion.y, level.traps[trap]->width, level.traps[trap]->height};
    return gapBetween(state.player.box(), box);
}

int FairnessCheck::lastTickFor(const Events& events) const {
    return (events.empty() ? 0 : events.back().tick) + options.ticksAfterKeys;
}

PlayState FairnessCheck::startFor(unsigned seed) {
    std::srand(seed);
    play.load(level);
    return play.state();
}

FairnessCheck::Outcome FairnessCheck::playFrom(const PlayState& start, int tick, const Events& events, int lastTick,
                                               std::vector<PlayState>* statesBefore, std::vector<TrapPass>* passes) {
    play.restore(start);
    auto next =
        std::lower_bound(events.begin(), events.end(), tick, [](const Event& event, int t) { return event.tick < t; });
    for (int t = tick; t <= lastTick; ++t) {
        if (statesBefore != nullptr) {
            statesBefore->push_back(play.state());
        }
        for (; next != events.end() && next->tick == t; ++next) {
            InputScript::send(*next, play);
        }
        play.update(0);
        if (passes != nullptr) {
            for (size_t i = 0; i < passes->size(); ++i) {
                (*passes)[i].gap = std::min((*passes)[i].gap, gapToTrap(play.state(), play.level(), i));
            }
        }
        if (play.lastEvents().has(PlayEvent::Kind::Respawned) || play.end() == HeadlessPlay::End::LeftPlay) {
            return Outcome{false, true, t};
        }
        if (play.end() == HeadlessPlay::End::ReachedGoal) {
            return Outcome{true, false, t};
        }
    }
    return Outcome{false, false, lastTick};
}

bool FairnessCheck::run(Report& report) {
    std::map<unsigned, PlayState> starts;
    starts[options.recordingSeed] = startFor(options.recordingSeed);
    for (unsigned seed = 1; seed <= options.seeds; ++seed) {
        starts[seed] = startFor(seed);
    }
    // A level that cannot be opened loads empty: there is nothing to measure.
    std::ifstream in(HeadlessPlay::levelPath(level));
    if (!in) {
        return false;
    }
    const LevelReader reading(in);
    for (const LevelReader::Section& section : reading.sections()) {
        if (section.kind == LevelReader::Kind::Trap && section.end != LevelReader::End::Interrupted) {
            report.traps.push_back(TrapPass{section.line, INT64_MAX});
        }
    }
    report.traps.resize(play.level().traps.size());

    std::vector<PlayState> recorded;
    const Outcome base = playFrom(starts[options.recordingSeed], 1, recordedEvents, lastTickFor(recordedEvents),
                                  &recorded, &report.traps);
    report.won = base.won;
    report.ticks = base.ticks;
    for (const TrapPass& pass : report.traps) {
        report.closestPass = report.closestPass < 0 ? pass.gap : std::min(report.closestPass, pass.gap);
    }
    measureWindows(recorded, report);
    measureJitter(report);
    for (unsigned seed = 1; seed <= options.seeds; ++seed) {
        const auto own = seedKeys.find(seed);
        if (own != seedKeys.end()) {
            Events events = own->second.events();
            sortByTick(events);
            SeedResult result{seed, playFrom(starts[seed], 1, events, lastTickFor(events)).won, true, {}};
            report.seeds.push_back(result);
        } else if (playFrom(starts[seed], 1, recordedEvents, lastTickFor(recordedEvents)).won) {
            report.seeds.push_back(SeedResult{seed, true, false, {}});
        } else {
            report.seeds.push_back(tryWaiting(seed, recorded));
        }
    }
    return true;
}

void FairnessCheck::measureWindows(const std::vector<PlayState>& recorded, Report& report) {
    const int lastTick = lastTickFor(recordedEvents);
    for (size_t i = 0; i < recordedEvents.size(); ++i) {
        const int tick = recordedEvents[i].tick;
        auto winsShifted = [&](int shift) {
            if (shift == 0) {
                return report.won;
            }
            if (tick + shift < 1) {
                return false;
            }
            Events shifted = recordedEvents;
            shifted[i].tick += shift;
            sortByTick(shifted);
            const int firstChanged = std::min(tick, tick + shift);
            if (firstChanged - 1 >= static_cast<int>(recorded.size())) {
                return report.won;
            }
            return playFrom(recorded[firstChanged - 1], firstChanged, shifted, lastTick + std::max(shift, 0)).won;
        };
        EventWindow window;
        window.event = recordedEvents[i];
        window.earliest = 1;
        window.latest = -1;
        if (report.won) {
            window.earliest = 0;
            window.latest = 0;
            while (window.earliest > -options.shifts && winsShifted(window.earliest - 1)) {
                --window.earliest;
            }
            while (window.latest < options.shifts && winsShifted(window.latest + 1)) {
                ++window.latest;
            }
        }
        window.failsBothSides = window.earliest > -1 && window.latest < 1;
        report.failingBothSides += window.failsBothSides ? 1 : 0;
        report.windows.push_back(window);
    }
}

void FairnessCheck::measureJitter(Report& report) {
    std::mt19937 random(kJitterSeed);
    std::uniform_int_distribution<int> offset(-options.jitter, options.jitter);
    const PlayState start = startFor(options.recordingSeed);
    for (int run = 0; run < options.jitterRuns; ++run) {
        Events jittered = recordedEvents;
        for (Event& event : jittered) {
            event.tick = std::max(1, event.tick + offset(random));
        }
        sortByTick(jittered);
        report.jitterWins += playFrom(start, 1, jittered, lastTickFor(jittered)).won ? 1 : 0;
        ++report.jitterRuns;
    }
}

// A person who meets the traps in other phases waits where the recorded play stands still
// until the way is clear: at each stop in turn, the shortest wait that lets the play reach
// the next stop (or, after the last, the goal).
FairnessCheck::SeedResult FairnessCheck::tryWaiting(unsigned seed, const std::vector<PlayState>& recorded) {
    SeedResult result{seed, false, false, {}};
    std::vector<int> stops{1};
    for (size_t k = 0; k < recordedEvents.size(); ++k) {
        const int tick = recordedEvents[k].tick;
        if (tick - 1 >= static_cast<int>(recorded.size()) || (k > 0 && recordedEvents[k - 1].tick == tick)) {
            continue;
        }
        const PlayState& before = recorded[tick - 1];
        const bool still =
            before.player.grounded && before.player.velocityX == 0 && !before.arrows.left && !before.arrows.right;
        if (still && tick != stops.back()) {
            stops.push_back(tick);
        }
    }

    Events events = recordedEvents;
    PlayState state = startFor(seed);
    int waited = 0;
    for (size_t j = 0; j < stops.size(); ++j) {
        const int stopTick = stops[j] + waited;
        const bool last = j + 1 == stops.size();
        bool cleared = false;
        for (int wait = 0; wait <= options.longestWait && !cleared; ++wait) {
            const Events candidate = waitedAt(events, stopTick, wait);
            const int until = last ? lastTickFor(candidate) : stops[j + 1] + waited + wait - 1;
            const Outcome outcome = playFrom(state, stopTick, candidate, until);
            cleared = last ? outcome.won : !outcome.lost;
            if (cleared) {
                if (wait > 0) {
                    result.waits.emplace_back(stops[j], wait);
                }
                events = candidate;
                waited += wait;
                state = play.state();
                result.won = outcome.won;
            }
        }
        if (!cleared) {
            return result;
        }
        if (result.won) {
            break;
        }
    }
    return result;
}
