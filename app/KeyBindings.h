#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/KeyEvent.h"

// Which extra keys walk, jump, pause and go back, on top of the game's own keys (the arrows,
// Space, P, Escape), which always keep working. WASD is bound from the start (W jumps, S is
// down); "key left=", "key right=", "key jump=", "key pause=" and "key back=" lines of the
// settings add more. A bound key is turned into the event of the key it stands for, so the
// states only ever see their own keys.
class KeyBindings {
public:
    enum class Action { Left, Right, Down, Jump, Pause, Back };

    // A key as the window toolkit reports it: a character, or a special key (GLUT_KEY_*).
    struct Key {
        bool special = false;
        int code = 0;
    };

    KeyBindings();
    static KeyBindings* instance();

    // A settings line: when its key is "key <something>", binds the named key, or logs why
    // not, and returns true; any other line is not its business and gives false.
    bool applySetting(const std::string& key, const std::string& value);

    // The keys a name stands for: a letter or digit (or another printable character), or space,
    // enter, tab, backspace, delete, shift, ctrl, alt, up, down, left, right, home, end, pageup,
    // pagedown, insert. Empty for a name it does not know.
    static std::vector<Key> keysNamed(const std::string& name);

    // What the states are to receive for a press or release of the key, if anything.
    std::optional<KeyEvent> translate(Key key, bool pressed) const;

    // One number per physical key, the same for a letter in either case, for telling apart
    // what holds an arrow.
    static int source(Key key);

private:
    static Key normalised(Key key);
    static int codeOf(Key key) { return (key.special ? specialBase : 0) + key.code; }
    bool bind(const std::string& actionName, const std::string& keyName);

    static constexpr int specialBase = 256;
    std::map<int, Action> bound;  // by codeOf the normalised key
};
