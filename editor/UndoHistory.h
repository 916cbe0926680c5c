#pragma once
#include <string>
#include <vector>

// Every text the level has had, back to the one opened: undo and redo walk it without limit.
// The changes made inside a gesture (begin to end) make one step together.
class UndoHistory {
public:
    void reset(const std::string& text);
    const std::string& current() const { return texts[position]; }
    // False when the text is the current one: nothing changed, no step.
    bool record(const std::string& text);
    void beginGesture();
    void endGesture();
    bool inGesture() const { return gestureDepth > 0; }
    // False when there is nothing to go back or forward to.
    bool undo();
    bool redo();

private:
    std::vector<std::string> texts{""};
    size_t position = 0;
    int gestureDepth = 0;
    bool gestureStepMade = false;
};
