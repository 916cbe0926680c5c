#pragma once

// What each key does in the editor, apart from the window toolkit: a key as the toolkit reports
// it (a character, Ctrl with a letter as its control code, or a GLUT_KEY_* special key) and the
// modifiers held give one command and the amount it goes by.
namespace editorkeys {

struct Press {
    bool special = false;
    int code = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

enum class Command {
    None,
    Nudge,        // dx, dy: 1 px, or 16 with Shift
    Depth,        // amount: z up (Page Up) or down (Page Down) by one
    Flip,         // mirror on and off
    Floating,     // bobbing on and off
    Still,        // standing exactly still on and off
    Partition,    // amount: one frame column more or fewer
    FloatWidth,   // amount: the trap's sideways float, 16 px wider or narrower
    FloatHeight,  // amount: the trap's up-and-down float, 16 px taller or shorter
    Remove,
    Duplicate,
    Undo,
    Redo,
    Save,
    PlayFromStart,
    PlayFromPointer,
    Leave,    // back to playing the level
    Palette,  // the pictures to place, shown and hidden
    Choose,   // amount: in the palette, the kind a new object gets (1 platform, 2 decoration, 3 trap)
    Back,     // Escape: closes the palette, else quits (asking first when there are unsaved changes)
};

struct Action {
    Command command = Command::None;
    int dx = 0;
    int dy = 0;
    int amount = 0;
};

constexpr int kNudgeSmall = 1;
constexpr int kNudgeLarge = 16;
constexpr int kFloatStep = 16;

Action actionFor(Press press);

}  // namespace editorkeys
