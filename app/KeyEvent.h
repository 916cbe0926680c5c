#pragma once

// One key event in the form the states take it: a special key (an arrow, F1 …) pressed or
// released, or a character key pressed. The window toolkit's codes: GLUT_KEY_* or a character.
struct KeyEvent {
    enum class Kind { SpecialDown, SpecialUp, Key };
    Kind kind;
    int code;
    bool operator==(const KeyEvent& other) const { return kind == other.kind && code == other.code; }
};
