#include "app/KeyBindings.h"

#include <GL/freeglut.h>

#include <cctype>
#include <iostream>

#include "core/KeyCodes.h"

namespace {

const char* const bindingPrefix = "key ";
const char* const settingsTag = "[SETTINGS] ";
const int backspaceKey = 8;
const int tabKey = 9;
const int deleteKey = 127;
// Ctrl with a letter arrives as the letter's control code, 1 for a to 26 for z.
const int lastControlLetter = 26;

using Key = KeyBindings::Key;
using Action = KeyBindings::Action;

const struct {
    const char* name;
    Key key;
} namedKeys[] = {
    {"space", {false, keys::space}},
    {"enter", {false, keys::enter}},
    {"return", {false, keys::enter}},
    {"tab", {false, tabKey}},
    {"backspace", {false, backspaceKey}},
    {"delete", {false, deleteKey}},
    {"shift", {true, GLUT_KEY_SHIFT_L}},
    {"ctrl", {true, GLUT_KEY_CTRL_L}},
    {"alt", {true, GLUT_KEY_ALT_L}},
    {"up", {true, GLUT_KEY_UP}},
    {"down", {true, GLUT_KEY_DOWN}},
    {"left", {true, GLUT_KEY_LEFT}},
    {"right", {true, GLUT_KEY_RIGHT}},
    {"home", {true, GLUT_KEY_HOME}},
    {"end", {true, GLUT_KEY_END}},
    {"pageup", {true, GLUT_KEY_PAGE_UP}},
    {"pagedown", {true, GLUT_KEY_PAGE_DOWN}},
    {"insert", {true, GLUT_KEY_INSERT}},
};

const struct {
    const char* name;
    Action action;
} namedActions[] = {{"left", Action::Left},
                    {"right", Action::Right},
                    {"jump", Action::Jump},
                    {"pause", Action::Pause},
                    {"back", Action::Back}};

// The game's own key for each action, which no binding may take from it.
KeyEvent designedEvent(Action action, bool pressed) {
    const KeyEvent::Kind arrow = pressed ? KeyEvent::Kind::SpecialDown : KeyEvent::Kind::SpecialUp;
    switch (action) {
    case Action::Left:
        return {arrow, GLUT_KEY_LEFT};
    case Action::Right:
        return {arrow, GLUT_KEY_RIGHT};
    case Action::Down:
        return {arrow, GLUT_KEY_DOWN};
    case Action::Jump:
        return {KeyEvent::Kind::Key, keys::space};
    case Action::Pause:
        return {KeyEvent::Kind::Key, keys::pause};
    case Action::Back:
        return {KeyEvent::Kind::Key, keys::escape};
    }
    return {KeyEvent::Kind::Key, 0};
}

bool isArrowAction(Action action) {
    return action == Action::Left || action == Action::Right || action == Action::Down;
}

// Left, Right, Space, P and Escape are what the states answer to; Up, Down and Enter only move
// or press in the menu and may be given to an action.
bool isGameKey(Key key) {
    if (key.special) {
        return key.code == GLUT_KEY_LEFT || key.code == GLUT_KEY_RIGHT;
    }
    return key.code == keys::space || key.code == keys::pause || key.code == keys::escape;
}

}  // namespace

KeyBindings::KeyBindings() {
    bound[codeOf({false, 'a'})] = Action::Left;
    bound[codeOf({false, 'd'})] = Action::Right;
    bound[codeOf({false, 's'})] = Action::Down;
    bound[codeOf({false, 'w'})] = Action::Jump;
}

KeyBindings* KeyBindings::instance() {
    static KeyBindings bindings;
    return &bindings;
}

std::vector<Key> KeyBindings::keysNamed(const std::string& name) {
    for (const auto& named : namedKeys) {
        if (name == named.name) {
            return {named.key};
        }
    }
    const unsigned char c = name.size() == 1 ? static_cast<unsigned char>(name[0]) : 0;
    if (c > ' ' && c < deleteKey) {
        return {normalised({false, c})};
    }
    return {};
}

Key KeyBindings::normalised(Key key) {
    if (key.special) {
        // Either Shift, Ctrl or Alt is the same key to the game.
        if (key.code == GLUT_KEY_SHIFT_R || key.code == GLUT_KEY_CTRL_R || key.code == GLUT_KEY_ALT_R) {
            --key.code;
        }
        return key;
    }
    if (key.code >= 1 && key.code <= lastControlLetter && key.code != backspaceKey && key.code != tabKey &&
        key.code != keys::enter) {
        key.code += 'a' - 1;
    }
    key.code = std::tolower(key.code & 0xFF);
    return key;
}

int KeyBindings::source(Key key) {
    return codeOf(normalised(key));
}

std::optional<KeyEvent> KeyBindings::translate(Key key, bool pressed) const {
    const auto binding = bound.find(codeOf(normalised(key)));
    if (binding != bound.end()) {
        if (!pressed && !isArrowAction(binding->second)) {
            return std::nullopt;
        }
        return designedEvent(binding->second, pressed);
    }
    if (key.special) {
        return KeyEvent{pressed ? KeyEvent::Kind::SpecialDown : KeyEvent::Kind::SpecialUp, key.code};
    }
    // The states learn of character keys only when they are pressed.
    return pressed ? std::optional<KeyEvent>(KeyEvent{KeyEvent::Kind::Key, key.code}) : std::nullopt;
}

bool KeyBindings::applySetting(const std::string& key, const std::string& value) {
    const std::string prefix = bindingPrefix;
    if (key.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    bind(key.substr(prefix.size()), value);
    return true;
}

bool KeyBindings::bind(const std::string& actionName, const std::string& keyName) {
    const std::string line = bindingPrefix + actionName + "=" + keyName;
    const Action* action = nullptr;
    for (const auto& named : namedActions) {
        if (actionName == named.name) {
            action = &named.action;
        }
    }
    if (action == nullptr) {
        std::cout << settingsTag << line << ": no such action (left, right, jump, pause, back), ignored\n";
        return false;
    }
    const std::vector<Key> found = keysNamed(keyName);
    if (found.empty()) {
        std::cout << settingsTag << line << ": unknown key name, ignored\n";
        return false;
    }
    for (const Key& physical : found) {
        if (isGameKey(physical)) {
            if (translate(physical, true) == designedEvent(*action, true)) {
                continue;  // the key already does that
            }
            std::cout << settingsTag << line << ": that key is one of the game's own, ignored\n";
            return false;
        }
        bound[codeOf(physical)] = *action;
    }
    return true;
}
