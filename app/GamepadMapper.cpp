#include "app/GamepadMapper.h"

#include <GL/freeglut.h>

#include "core/KeyCodes.h"

namespace {

// Button numbers as the Linux joystick interface gives them for the common Xbox-style layout,
// whose d-pad, where it is reported as buttons, follows the stick buttons.
const unsigned int southButton = 1u << 0;
const unsigned int backButton = 1u << 6;
const unsigned int startButton = 1u << 7;
const unsigned int padLeft = 1u << 11;
const unsigned int padRight = 1u << 12;
const unsigned int padUp = 1u << 13;
const unsigned int padDown = 1u << 14;

}  // namespace

GamepadMapper::Arrows GamepadMapper::arrowsOf(unsigned int buttons, int x, int y) {
    Arrows arrows;
    arrows.left = x < -kDeadZone || (buttons & padLeft) != 0;
    arrows.right = x > kDeadZone || (buttons & padRight) != 0;
    arrows.up = y < -kDeadZone || (buttons & padUp) != 0;
    arrows.down = y > kDeadZone || (buttons & padDown) != 0;
    return arrows;
}

void GamepadMapper::moveArrows(const Arrows& now, std::vector<Event>& events) {
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
            events.push_back({Kind::ArrowUp, arrow.key});
        }
    }
    for (const auto& arrow : arrows) {
        if (!arrow.before && arrow.after) {
            events.push_back({Kind::ArrowDown, arrow.key});
        }
    }
    held = now;
}

std::vector<GamepadMapper::Event> GamepadMapper::report(unsigned int buttons, int x, int y) {
    silentTicks = 0;
    std::vector<Event> events;
    moveArrows(arrowsOf(buttons, x, y), events);
    const unsigned int pressed = buttons & ~buttonsHeld;
    buttonsHeld = buttons;
    if (pressed & southButton) {
        events.push_back({Kind::Key, keys::space});
    }
    if (pressed & startButton) {
        events.push_back({Kind::Key, keys::pause});
    }
    if (pressed & backButton) {
        events.push_back({Kind::Key, keys::escape});
    }
    return events;
}

std::vector<GamepadMapper::Event> GamepadMapper::tick() {
    std::vector<Event> events;
    if (silentTicks < kSilentTicks && ++silentTicks == kSilentTicks) {
        moveArrows(Arrows{}, events);
        buttonsHeld = 0;
    }
    return events;
}
