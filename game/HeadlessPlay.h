#pragma once
#include <memory>
#include <string>

#include "app/StateLoopIFC.h"
#include "game/PlayEvents.h"
#include "game/PlayState.h"

class Level;

// Plays one level by the play step alone, for tools and tests that need no window: pictures are
// read for their sizes only, nothing is drawn and no sound is played. The keys act as in the
// game (arrows, space; Escape leaves play); the goal ends play instead of loading the next level.
class HeadlessPlay : public StateLoopIFC {
public:
    enum class End { Playing, ReachedGoal, LeftPlay };

    explicit HeadlessPlay(SharedState* sharedState);
    virtual ~HeadlessPlay();
    HeadlessPlay(const HeadlessPlay&) = delete;
    HeadlessPlay& operator=(const HeadlessPlay&) = delete;

    // Loads "data/" + fileName as the game does (an absolute path as it is) and starts play at
    // its start with no arrow held; false when the file cannot be opened.
    bool load(const std::string& fileName);
    // The file load reads for that name.
    static std::string levelPath(const std::string& fileName);

    // One tick of play; nothing once play has ended.
    void update(int value) override;
    void display() override {}
    void key(int key, int x, int y) override;
    void specialDown(int key, int x, int y) override;
    void specialUp(int key, int x, int y) override;

    // The level loaded last; load must have been called.
    const Level& level() const { return *loaded; }
    const PlayWorld& world() const { return playWorld; }
    // The play as it stands; a copy put back with restore carries on from there.
    const PlayState& state() const { return play; }
    void restore(const PlayState& saved);
    End end() const { return ended; }
    // What the last tick did.
    const PlayEvents& lastEvents() const { return events; }

private:
    std::unique_ptr<Level> loaded;
    PlayWorld playWorld;
    PlayState play;
    PlayEvents events;
    End ended = End::Playing;
};
