#pragma once
#include <string>

#include "objects/Object.h"

// A place in a level that the player comes back to after a hazard or a fall, once touched.
// Its picture holds an unlit and a lit frame side by side (partition 2); the box is one frame.
class Checkpoint : public Object {
public:
    Checkpoint();
    ~Checkpoint() override;

    // The picture, whole, as the box.
    void setPicture(const std::string& path);
    // Cuts the picture into frames side by side; the box takes the frame size.
    void partition(int frames);
    // Shows the lit frame (the second) or the unlit one.
    void light(bool on);

    // Where a player of that size comes back: standing on the checkpoint's foot, centred on it.
    Bounds respawnBox(int32_t width, int32_t height) const;
};
