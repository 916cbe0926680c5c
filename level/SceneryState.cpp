#include "level/SceneryState.h"

#include "graphics/Decoration.h"
#include "level/Level.h"
#include "objects/Trap.h"

namespace {

std::vector<float> phasesOf(const std::vector<Decoration*>& list) {
    std::vector<float> phases;
    phases.reserve(list.size());
    for (const Decoration* decoration : list) {
        phases.push_back(decoration->phase);
    }
    return phases;
}

void bob(const std::vector<Decoration*>& list, std::vector<float>& phases) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i]->floating) {
            phases[i] = nextBobPhase(phases[i]);
        }
    }
}

}  // namespace

SceneryState sceneryOf(const Level& level) {
    SceneryState scenery;
    scenery.traps.reserve(level.traps.size());
    for (const Trap* trap : level.traps) {
        scenery.traps.push_back(trap->motion());
    }
    scenery.backPhases = phasesOf(level.backDecorations);
    scenery.frontPhases = phasesOf(level.frontDecorations);
    scenery.goalPhase = level.goal.phase;
    return scenery;
}

void advanceScenery(const Level& level, SceneryState& scenery) {
    bob(level.backDecorations, scenery.backPhases);
    for (size_t i = 0; i < level.traps.size(); ++i) {
        advanceTrap(*level.traps[i], scenery.traps[i]);
    }
    if (level.goal.floating) {
        scenery.goalPhase = nextBobPhase(scenery.goalPhase);
    }
    bob(level.frontDecorations, scenery.frontPhases);
    ++scenery.ticks;
}
