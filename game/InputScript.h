#pragma once
#include <istream>
#include <string>
#include <vector>

class StateLoopIFC;

// Which keys go down and up at which tick of a level, so a play can be replayed exactly.
// One event a line: "<tick> down|up <left|right|up|down>" or "<tick> press <space|escape>";
// ';' starts a comment. Tick 1 is the first tick after the level starts; a tick's events
// reach the state before that tick's update.
class InputScript {
public:
    enum class Action { Down, Up, Press };
    struct Event {
        int tick = 0;
        Action action = Action::Down;
        std::string key;
    };

    // False, with the line number and reason in error, for a line that is not an event or
    // ticks that go backwards.
    bool parse(std::istream& in, std::string& error);
    std::string text() const;

    void add(int tick, Action action, const std::string& key);
    // Hands the events of that tick to the state as the window system would.
    void apply(int tick, StateLoopIFC& state) const;
    // Hands one event to the state, whatever its tick; the key must be one parse takes.
    static void send(const Event& event, StateLoopIFC& state);
    int lastTick() const;
    const std::vector<Event>& events() const { return list; }

private:
    std::vector<Event> list;
};
