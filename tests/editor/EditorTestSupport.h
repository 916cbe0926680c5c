#pragma once
#include <string>
#include <vector>

#include "editor/EditorModel.h"

namespace editortest {

// A game folder of its own in the working directory: a copy of the shipped levels, with the
// shipped pictures and sounds linked in. Returns its path.
std::string makeGameFolder(const std::string& name = "game");

// The text's lines, each with its own line end, so endings are compared too.
std::vector<std::string> linesOf(const std::string& text);
std::string joined(const std::vector<std::string>& lines);

// The first object of the kind, or -1.
int firstOf(const EditorModel& model, EditKind kind);

}  // namespace editortest
