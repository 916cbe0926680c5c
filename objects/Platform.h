#pragma once
#include "objects/Object.h"

// A solid, motionless box of the level; its box comes from the level file, not from its image.
class Platform : public Object {
public:
    Platform();
    ~Platform() override;
};
