#pragma once
#include <string>

#include "objects/Body.h"

class Image;

// Base of every world object with a collision box: the moving box of Body and the object's own
// Image, which it owns (it may have none).
class Object : public Body {
public:
    // All zero, no image.
    Object();
    // The image from the path; the box is the image's offset and whole frame.
    explicit Object(const std::string& spritePath);
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    virtual void setX(int value);
    virtual void setY(int value);
    // Draws the image as it stands at the box plus the offset; no image, no drawing.
    virtual void draw(int offsetX, int offsetY) const;

    // Rebinds the image to another picture (or makes one); the box stays as it is.
    void setImage(const std::string& path);

    Image* image = nullptr;
};
