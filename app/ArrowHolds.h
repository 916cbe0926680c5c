#pragma once
#include <map>
#include <set>

#include "app/KeyEvent.h"

// Which sources (keys, pads) hold each arrow, so that an arrow held by two of them is let go
// only when the last one lets go. Every other event, and every press, goes through.
class ArrowHolds {
public:
    // Whether the event from that source is to reach the states.
    bool pass(const KeyEvent& event, int source);

private:
    std::map<int, std::set<int>> holders;  // arrow code → the sources holding it
};
