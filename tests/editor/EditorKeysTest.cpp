#include "editor/EditorKeys.h"

#include <GL/freeglut_std.h>
#include <gtest/gtest.h>

using namespace editorkeys;

namespace {

Press character(int code, bool shift = false, bool ctrl = false) {
    Press press;
    press.code = code;
    press.shift = shift;
    press.ctrl = ctrl;
    return press;
}

Press special(int code, bool shift = false) {
    Press press;
    press.special = true;
    press.code = code;
    press.shift = shift;
    return press;
}

}  // namespace

// Ctrl with a letter arrives as its control code: Ctrl+D is 4, Ctrl+S 19, Ctrl+Y 25, Ctrl+Z 26.
TEST(EditorKeysTest, ControlLettersArriveAsControlCodes) {
    EXPECT_EQ(actionFor(character(4, false, true)).command, Command::Duplicate);
    EXPECT_EQ(actionFor(character(19, false, true)).command, Command::Save);
    EXPECT_EQ(actionFor(character(26, false, true)).command, Command::Undo);
    EXPECT_EQ(actionFor(character(26, true, true)).command, Command::Redo);
    EXPECT_EQ(actionFor(character(25, false, true)).command, Command::Redo);
    EXPECT_EQ(actionFor(character('s')).command, Command::Still) << "S alone is not a save";
    EXPECT_EQ(actionFor(character(8)).command, Command::Remove) << "backspace, not Ctrl+H";
    EXPECT_EQ(actionFor(character(9)).command, Command::Palette) << "tab, not Ctrl+I";
}

TEST(EditorKeysTest, ShiftMakesTheLargerOrTheOtherStep) {
    const Action small = actionFor(special(GLUT_KEY_LEFT));
    EXPECT_EQ(small.command, Command::Nudge);
    EXPECT_EQ(small.dx, -1);
    EXPECT_EQ(actionFor(special(GLUT_KEY_DOWN, true)).dy, 16);
    EXPECT_EQ(actionFor(special(GLUT_KEY_F5)).command, Command::PlayFromStart);
    EXPECT_EQ(actionFor(special(GLUT_KEY_F5, true)).command, Command::PlayFromPointer);
    EXPECT_EQ(actionFor(character('x')).amount, 16);
    EXPECT_EQ(actionFor(character('X')).amount, -16) << "a capital is the letter with Shift";
    EXPECT_EQ(actionFor(character('p')).amount, 1);
    EXPECT_EQ(actionFor(character('P')).amount, -1);
    EXPECT_EQ(actionFor(character('-')).amount, -1);
    EXPECT_EQ(actionFor(special(GLUT_KEY_PAGE_DOWN)).amount, -1);
}
