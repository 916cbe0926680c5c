#include "objects/Object.h"

#include "core/SaturatingMath.h"
#include "graphics/Image.h"

Object::Object() = default;

Object::Object(const std::string& spritePath) : image(new Image(spritePath)) {
    x = image->x;
    y = image->y;
    width = static_cast<int32_t>(image->frameWidth);
    height = static_cast<int32_t>(image->frameHeight);
}

Object::~Object() {
    delete image;
}

void Object::setX(int value) {
    x = value;
}

void Object::setY(int value) {
    y = value;
}

void Object::draw(int offsetX, int offsetY) const {
    if (image != nullptr) {
        image->draw(saturateToInt32(int64_t{x} + offsetX), saturateToInt32(int64_t{y} + offsetY));
    }
}

void Object::setImage(const std::string& path) {
    if (image != nullptr) {
        image->load(path);
    } else {
        image = new Image(path);
    }
}
