#pragma once
#include <string>

#include "core/Bounds.h"

// What the game asks of the level editor, when the program has one.
class EditRequests {
public:
    virtual ~EditRequests() = default;
    // F2 while playing: edit the level in the file at path (as the loader opened it), showing
    // the part of the level the game showed. Sets the editing state when the file can be read.
    virtual void editLevel(const std::string& path, Bounds view) = 0;
};
