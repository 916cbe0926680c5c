#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <optional>
#include <sstream>
#include <string>

#include "app/ArrowHolds.h"
#include "app/KeyBindings.h"
#include "app/Settings.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;

namespace {

using Key = KeyBindings::Key;

std::optional<KeyEvent> press(const KeyBindings& bindings, Key key) {
    return bindings.translate(key, true);
}
std::optional<KeyEvent> release(const KeyBindings& bindings, Key key) {
    return bindings.translate(key, false);
}
KeyEvent down(int code) {
    return {KeyEvent::Kind::SpecialDown, code};
}
KeyEvent up(int code) {
    return {KeyEvent::Kind::SpecialUp, code};
}
KeyEvent typed(int code) {
    return {KeyEvent::Kind::Key, code};
}
Key character(int c) {
    return {false, c};
}
Key special(int code) {
    return {true, code};
}

}  // namespace

TEST(KeyBindingsTest, TheGameKeysPassUnchangedAndWasdIsBoundFromTheStart) {
    const KeyBindings bindings;
    EXPECT_EQ(press(bindings, special(GLUT_KEY_LEFT)), down(GLUT_KEY_LEFT));
    EXPECT_EQ(release(bindings, special(GLUT_KEY_LEFT)), up(GLUT_KEY_LEFT));
    EXPECT_EQ(press(bindings, special(GLUT_KEY_F1)), down(GLUT_KEY_F1));
    EXPECT_EQ(press(bindings, character(' ')), typed(' '));
    EXPECT_EQ(press(bindings, character('P')), typed('P')) << "the character as it came";
    EXPECT_EQ(press(bindings, character(200)), typed(200));
    EXPECT_EQ(release(bindings, character('q')), std::nullopt) << "a character's release reaches no state";

    EXPECT_EQ(press(bindings, character('a')), down(GLUT_KEY_LEFT));
    EXPECT_EQ(release(bindings, character('A')), up(GLUT_KEY_LEFT)) << "released with Shift held";
    EXPECT_EQ(release(bindings, character(4)), up(GLUT_KEY_RIGHT)) << "D released with Ctrl held";
    EXPECT_EQ(press(bindings, character('s')), down(GLUT_KEY_DOWN));
    EXPECT_EQ(press(bindings, character('w')), typed(' '));
    EXPECT_EQ(release(bindings, character('w')), std::nullopt);
    EXPECT_EQ(KeyBindings::source(character('a')), KeyBindings::source(character('A')));
    EXPECT_NE(KeyBindings::source(character('d')), KeyBindings::source(special('d')));
}

TEST(KeyBindingsTest, KeyLinesAddKeysAndNamesTheyDoNotKnowAreLoggedAndIgnored) {
    KeyBindings bindings;
    LogCapture log;
    EXPECT_FALSE(bindings.applySetting("width", "800")) << "not a key line";
    EXPECT_FALSE(bindings.applySetting("keys", "x"));
    for (const char* line : {"jump=x", "jump=shift", "pause=Enter", "pause=enter", "back=tab", "left=j", "right=7",
                             "left=up", "jump=space"}) {
        const std::string text = line;
        EXPECT_TRUE(bindings.applySetting("key " + text.substr(0, text.find('=')), text.substr(text.find('=') + 1)));
    }
    EXPECT_EQ(log.text(), "[SETTINGS] key pause=Enter: unknown key name, ignored\n") << "names are lower case";
    EXPECT_EQ(press(bindings, character('X')), typed(' '));
    EXPECT_EQ(press(bindings, special(GLUT_KEY_SHIFT_R)), typed(' ')) << "either Shift";
    EXPECT_EQ(release(bindings, special(GLUT_KEY_SHIFT_L)), std::nullopt);
    EXPECT_EQ(press(bindings, character(13)), typed('p'));
    EXPECT_EQ(press(bindings, character(9)), typed(27));
    EXPECT_EQ(press(bindings, character('j')), down(GLUT_KEY_LEFT));
    EXPECT_EQ(press(bindings, character('7')), down(GLUT_KEY_RIGHT));
    EXPECT_EQ(press(bindings, special(GLUT_KEY_UP)), down(GLUT_KEY_LEFT));
    EXPECT_EQ(release(bindings, special(GLUT_KEY_UP)), up(GLUT_KEY_LEFT));
    EXPECT_EQ(press(bindings, character('a')), down(GLUT_KEY_LEFT)) << "the second set stays";

    log.clear();
    bindings.applySetting("key jump", "");
    bindings.applySetting("key jump", "f13");
    bindings.applySetting("key fly", "x");
    bindings.applySetting("key jump", "left");
    bindings.applySetting("key left", "p");
    bindings.applySetting("key pause", "space");
    EXPECT_EQ(log.text(),
              "[SETTINGS] key jump=: unknown key name, ignored\n"
              "[SETTINGS] key jump=f13: unknown key name, ignored\n"
              "[SETTINGS] key fly=x: no such action (left, right, jump, pause, back), ignored\n"
              "[SETTINGS] key jump=left: that key is one of the game's own, ignored\n"
              "[SETTINGS] key left=p: that key is one of the game's own, ignored\n"
              "[SETTINGS] key pause=space: that key is one of the game's own, ignored\n");
    EXPECT_EQ(press(bindings, special(GLUT_KEY_LEFT)), down(GLUT_KEY_LEFT));
    EXPECT_EQ(press(bindings, character('p')), typed('p'));
    EXPECT_EQ(press(bindings, character(' ')), typed(' '));
}

TEST(KeyBindingsTest, TheSettingsFileBindsTheProcessWideKeys) {
    std::istringstream file("[controls]\nkey jump=x\nkey right=l\nwidth=800\n");
    LogCapture log;
    applySettings(file);
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(press(*KeyBindings::instance(), character('x')), typed(' '));
    EXPECT_EQ(press(*KeyBindings::instance(), character('l')), down(GLUT_KEY_RIGHT));
}

TEST(ArrowHoldsTest, AnArrowIsLetGoWhenTheLastOfItsHoldersLetsGo) {
    ArrowHolds holds;
    EXPECT_TRUE(holds.pass(down(GLUT_KEY_LEFT), 1));
    EXPECT_TRUE(holds.pass(down(GLUT_KEY_LEFT), 2));
    EXPECT_TRUE(holds.pass(down(GLUT_KEY_RIGHT), 3));
    EXPECT_FALSE(holds.pass(up(GLUT_KEY_LEFT), 1));
    EXPECT_TRUE(holds.pass(up(GLUT_KEY_LEFT), 2));
    EXPECT_TRUE(holds.pass(up(GLUT_KEY_UP), 1)) << "a release nobody announced goes through";
    EXPECT_TRUE(holds.pass(down(GLUT_KEY_LEFT), 1));
    EXPECT_TRUE(holds.pass(down(GLUT_KEY_LEFT), 1)) << "pressed again by the same key";
    EXPECT_TRUE(holds.pass(up(GLUT_KEY_LEFT), 1));
    EXPECT_TRUE(holds.pass(up(GLUT_KEY_F1), 1));
    EXPECT_TRUE(holds.pass(typed(' '), 1));
}
