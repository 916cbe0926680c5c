#include "app/GamepadMapper.h"

#include <GL/freeglut.h>

#include "core/KeyCodes.h"

GamepadMapper::Arrows GamepadMapper::arrowsOf(const Controls& controls) {
    Arrows arrows;
    arrows.left = controls.stickX < -kDeadZone || controls.left;
    arrows.right = controls.stickX > kDeadZone || controls.right;
    arrows.up = controls.stickY < -kDeadZone || controls.up;
    arrows.down = controls.stickY > kDeadZone || controls.down;
    return arrows;
}

void GamepadMapper::moveArrows(const Arrows& now, std::vector<KeyEvent>& events) {
    const struct {
        bool before;
        bool after;
        int key;
    } arrows[] = {{held.left, now.left, GLUT_KEY_LEFT},
                  {held.right, now.right, GLUT_KEY_RIGHT},
                  {held.up, now.up, GLUT_KEY_UP},
                  {held.down, now.down, GLUT_KEY_DOWN}};
    // Releases go first, so a stick swung from one side to the other hands the walk over cleanly.
    for (const auto& arrow : arrows) {
        if (arrow.before && !arrow.after) {
            events.push_back({KeyEvent::Kind::SpecialUp, arrow.key});
        }
    }
    for (const auto& arrow : arrows) {
        if (!arrow.before && arrow.after) {
            events.push_back({KeyEvent::Kind::SpecialDown, arrow.key});
        }
    }
    held = now;
}

std::vector<KeyEvent> GamepadMapper::report(const Controls& now) {
    std::vector<KeyEvent> events;
    moveArrows(arrowsOf(now), events);
    if (now.south && !before.south) {
        events.push_back({KeyEvent::Kind::Key, keys::space});
    }
    if (now.start && !before.start) {
        events.push_back({KeyEvent::Kind::Key, keys::pause});
    }
    if (now.back && !before.back) {
        events.push_back({KeyEvent::Kind::Key, keys::escape});
    }
    before = now;
    return events;
}

std::vector<KeyEvent> GamepadMapper::releaseAll() {
    std::vector<KeyEvent> events;
    moveArrows(Arrows{}, events);
    before = Controls{};
    return events;
}
