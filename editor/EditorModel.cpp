#include "editor/EditorModel.h"

bool EditorModel::open(const std::string& gameFolder, const std::string& path, std::string& why) {
    folder = gameFolder;
    levelPath = path;
    why.clear();
    return false;
}

int EditorModel::objectAt(int, int) const {
    return -1;
}

void EditorModel::beginGesture() {}
void EditorModel::endGesture() {}
void EditorModel::moveBy(int, int, int) {}
void EditorModel::setBox(int, int, int, int, int) {}
void EditorModel::setKey(int, const std::string&, const std::string&) {}
int EditorModel::add(EditKind, const std::string&, int, int) {
    return -1;
}
void EditorModel::remove(int) {}
int EditorModel::duplicate(int) {
    return -1;
}
bool EditorModel::undo() {
    return false;
}
bool EditorModel::redo() {
    return false;
}
bool EditorModel::unsaved() const {
    return false;
}
bool EditorModel::save(std::string& why) {
    why = "not written yet";
    return false;
}
int EditorModel::objectOfFinding(const std::string&) const {
    return -1;
}
std::string EditorModel::templateText() {
    return "";
}
