#include "game/InputScript.h"

#include <GL/freeglut.h>

#include <map>
#include <sstream>

#include "app/StateLoopIFC.h"
#include "core/TextInput.h"

namespace {

const std::map<std::string, int> arrowKeys = {
    {"left", GLUT_KEY_LEFT}, {"right", GLUT_KEY_RIGHT}, {"up", GLUT_KEY_UP}, {"down", GLUT_KEY_DOWN}};
const std::map<std::string, int> characterKeys = {{"space", 32}, {"escape", 27}};

bool knownKey(InputScript::Action action, const std::string& key) {
    return action == InputScript::Action::Press ? characterKeys.count(key) != 0 : arrowKeys.count(key) != 0;
}

const char* actionName(InputScript::Action action) {
    switch (action) {
    case InputScript::Action::Down:
        return "down";
    case InputScript::Action::Up:
        return "up";
    case InputScript::Action::Press:
        break;
    }
    return "press";
}

}  // namespace

bool InputScript::parse(std::istream& in, std::string& error) {
    list.clear();
    std::string line;
    int number = 0;
    while (readTextLine(in, line)) {
        ++number;
        const std::string content = line.substr(0, line.find(';'));
        std::istringstream words(content);
        std::string tickWord;
        if (!(words >> tickWord)) {
            continue;
        }
        std::string actionWord;
        std::string key;
        std::string extra;
        words >> actionWord >> key >> extra;
        Action action = Action::Down;
        if (actionWord == "up") {
            action = Action::Up;
        } else if (actionWord == "press") {
            action = Action::Press;
        } else if (actionWord != "down") {
            error = "line " + std::to_string(number) + ": expected down, up or press";
            return false;
        }
        const int tick = parseInt(tickWord);
        if (tick < 1 || tickWord.find_first_not_of("0123456789") != std::string::npos || !extra.empty() ||
            !knownKey(action, key)) {
            error = "line " + std::to_string(number) + ": not an event: " + line;
            return false;
        }
        if (!list.empty() && tick < list.back().tick) {
            error = "line " + std::to_string(number) + ": ticks go backwards";
            return false;
        }
        list.push_back(Event{tick, action, key});
    }
    return true;
}

std::string InputScript::text() const {
    std::ostringstream out;
    for (const Event& event : list) {
        out << event.tick << " " << actionName(event.action) << " " << event.key << "\n";
    }
    return out.str();
}

void InputScript::add(int tick, Action action, const std::string& key) {
    list.push_back(Event{tick, action, key});
}

void InputScript::apply(int tick, StateLoopIFC& state) const {
    for (const Event& event : list) {
        if (event.tick == tick) {
            send(event, state);
        }
    }
}

void InputScript::send(const Event& event, StateLoopIFC& state) {
    switch (event.action) {
    case Action::Down:
        state.specialDown(arrowKeys.at(event.key), 0, 0);
        break;
    case Action::Up:
        state.specialUp(arrowKeys.at(event.key), 0, 0);
        break;
    case Action::Press:
        state.key(characterKeys.at(event.key), 0, 0);
        break;
    }
}

int InputScript::lastTick() const {
    return list.empty() ? 0 : list.back().tick;
}
