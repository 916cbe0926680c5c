#include "editor/UndoHistory.h"

void UndoHistory::reset(const std::string& text) {
    texts.assign(1, text);
    position = 0;
    gestureDepth = 0;
    gestureStepMade = false;
}

bool UndoHistory::record(const std::string& text) {
    if (text == texts[position]) {
        return false;
    }
    texts.resize(position + 1);
    if (inGesture() && gestureStepMade) {
        texts[position] = text;
        return true;
    }
    texts.push_back(text);
    ++position;
    gestureStepMade = inGesture();
    return true;
}

void UndoHistory::beginGesture() {
    if (gestureDepth++ == 0) {
        gestureStepMade = false;
    }
}

void UndoHistory::endGesture() {
    if (gestureDepth > 0) {
        --gestureDepth;
    }
}

bool UndoHistory::undo() {
    if (position == 0) {
        return false;
    }
    --position;
    // What follows an undo in a drag is a step of its own.
    gestureStepMade = false;
    return true;
}

bool UndoHistory::redo() {
    if (position + 1 >= texts.size()) {
        return false;
    }
    ++position;
    gestureStepMade = false;
    return true;
}
