#include "app/ArrowHolds.h"

#include <GL/freeglut.h>

namespace {

bool isArrow(int code) {
    return code == GLUT_KEY_LEFT || code == GLUT_KEY_RIGHT || code == GLUT_KEY_UP || code == GLUT_KEY_DOWN;
}

}  // namespace

bool ArrowHolds::pass(const KeyEvent& event, int source) {
    if (event.kind == KeyEvent::Kind::Key || !isArrow(event.code)) {
        return true;
    }
    std::set<int>& sources = holders[event.code];
    if (event.kind == KeyEvent::Kind::SpecialDown) {
        sources.insert(source);
        return true;
    }
    // A release nobody announced (a key held before the window had the focus) still goes through.
    sources.erase(source);
    return sources.empty();
}
