#include "editor/EditorKeys.h"

#include <GL/freeglut_std.h>

#include <cctype>

namespace editorkeys {

namespace {

// Character codes as the toolkit reports them; Ctrl with a letter gives 1 for a up to 26 for z.
const int tabKey = 9;
const int backspaceKey = 8;
const int escapeKey = 27;
const int deleteKey = 127;

constexpr int control(char letter) {
    return letter - 'a' + 1;
}

Action nudge(Press press, int dx, int dy) {
    const int step = press.shift ? kNudgeLarge : kNudgeSmall;
    return Action{Command::Nudge, dx * step, dy * step, 0};
}

Action special(Press press) {
    switch (press.code) {
    case GLUT_KEY_LEFT:
        return nudge(press, -1, 0);
    case GLUT_KEY_RIGHT:
        return nudge(press, 1, 0);
    case GLUT_KEY_UP:
        return nudge(press, 0, -1);
    case GLUT_KEY_DOWN:
        return nudge(press, 0, 1);
    case GLUT_KEY_PAGE_UP:
        return Action{Command::Depth, 0, 0, 1};
    case GLUT_KEY_PAGE_DOWN:
        return Action{Command::Depth, 0, 0, -1};
    case GLUT_KEY_F2:
        return Action{Command::Leave};
    case GLUT_KEY_F5:
        return Action{press.shift ? Command::PlayFromPointer : Command::PlayFromStart};
    default:
        return Action{};
    }
}

Action withControl(Press press) {
    switch (press.code) {
    case control('d'):
        return Action{Command::Duplicate};
    case control('z'):
        return Action{press.shift ? Command::Redo : Command::Undo};
    case control('y'):
        return Action{Command::Redo};
    case control('s'):
        return Action{Command::Save};
    default:
        return Action{};
    }
}

}  // namespace

Action actionFor(Press press) {
    if (press.special) {
        return special(press);
    }
    if (press.ctrl) {
        return withControl(press);
    }
    const int code = press.code & 0xFF;
    // A capital is the letter with Shift, whether Shift or Caps Lock made it.
    const bool shifted = press.shift || std::isupper(code) != 0;
    const int grow = shifted ? -1 : 1;
    switch (std::tolower(code)) {
    case 'f':
        return Action{Command::Flip};
    case 'l':
        return Action{Command::Floating};
    case 's':
        return Action{Command::Still};
    case 'p':
        return Action{Command::Partition, 0, 0, grow};
    case '+':
    case '=':
        return Action{Command::Partition, 0, 0, 1};
    case '-':
        return Action{Command::Partition, 0, 0, -1};
    case 'x':
        return Action{Command::FloatWidth, 0, 0, grow * kFloatStep};
    case 'y':
        return Action{Command::FloatHeight, 0, 0, grow * kFloatStep};
    case '1':
    case '2':
    case '3':
        return Action{Command::Choose, 0, 0, code - '0'};
    case deleteKey:
    case backspaceKey:
        return Action{Command::Remove};
    case tabKey:
        return Action{Command::Palette};
    case escapeKey:
        return Action{Command::Back};
    default:
        return Action{};
    }
}

}  // namespace editorkeys
