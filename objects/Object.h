#pragma once
#include <cstdint>
#include <string>

#include "core/Bounds.h"
#include "sound/vec3df.h"

class Image;

// Base of every world object with a collision box: the box, two velocities in sixtieths of a
// pixel per tick, friction and the object's own Image, which it owns (it may have none).
class Object {
public:
    // All zero, no image.
    Object();
    // The image from the path; the box is the image's offset and whole frame.
    explicit Object(const std::string& spritePath);
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    virtual void stopHorizontal();
    virtual void land(int newFriction);
    virtual void setX(int value);
    virtual void setY(int value);
    // Advances the image one tick and draws it at the box plus the offset; no image, no drawing.
    virtual void draw(int offsetX, int offsetY);
    virtual void setGrounded(bool onGround);

    // Rebinds the image to another picture (or makes one); the box stays as it is.
    void setImage(const std::string& path);

    // The box after one tick of motion; clamps velocityX to the speed limit and drops friction
    // while velocityY is not 0.
    Bounds nextPosition();
    // The box one pixel along velocityX (not moved when it is 0).
    Bounds probeHorizontal() const;
    // The box one pixel along velocityY; stillStep pixels when velocityY is 0.
    Bounds probeVertical(int stillStep) const;

    Bounds box() const;
    // Bottom centre of the box in sound units of 128 pixels.
    irrklang::vec3df soundPosition() const;

    Image* image = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t velocityX = 0;
    int32_t velocityY = 0;
    int32_t friction = 0;

protected:
    // Draws the image as it stands at the box's corner plus the offset; nothing without an image.
    void drawImage(int offsetX, int offsetY);
};
