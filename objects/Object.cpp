#include "objects/Object.h"

#include "core/SaturatingMath.h"
#include "graphics/Image.h"

namespace {
// Velocities count sixtieths of a pixel per tick.
constexpr int32_t kSubpixelsPerPixel = 60;
// Horizontal speed limit, sixtieths of a pixel per tick (6 pixels).
constexpr int32_t kMaxSpeedX = 400;
// Sound positions: one unit is 128 pixels.
constexpr double kSoundUnitsPerPixel = 0.0078125;

int32_t sign(int32_t value) {
    return (value > 0) - (value < 0);
}

int32_t offsetBy(int32_t position, int64_t delta) {
    return saturateToInt32(static_cast<int64_t>(position) + delta);
}
}  // namespace

Object::Object() = default;

Object::Object(const std::string& spritePath) : image(new Image(spritePath)) {
    x = image->x;
    y = image->y;
    width = static_cast<int32_t>(image->frameWidth);
    height = static_cast<int32_t>(image->frameHeight);
    velocityX = 0;
    velocityY = 0;
    friction = 0;
}

Object::~Object() {
    delete image;
}

void Object::stopHorizontal() {
    velocityX = 0;
}

void Object::land(int newFriction) {
    velocityY = 0;
    friction = newFriction;
}

void Object::setX(int value) {
    x = value;
}

void Object::setY(int value) {
    y = value;
}

void Object::draw(int offsetX, int offsetY) {
    if (image == nullptr) {
        return;
    }
    image->nextFrame();
    drawImage(offsetX, offsetY);
}

void Object::drawImage(int offsetX, int offsetY) {
    if (image != nullptr) {
        image->draw(offsetBy(x, offsetX), offsetBy(y, offsetY));
    }
}

void Object::setGrounded(bool onGround) {
    if (!onGround) {
        friction = 0;
    }
}

void Object::setImage(const std::string& path) {
    if (image != nullptr) {
        image->load(path);
    } else {
        image = new Image(path);
    }
}

Bounds Object::nextPosition() {
    if (velocityX > kMaxSpeedX) {
        velocityX = kMaxSpeedX;
    }
    if (velocityX < -kMaxSpeedX) {
        velocityX = -kMaxSpeedX;
    }
    if (velocityY != 0) {
        friction = 0;
    }
    return Bounds{offsetBy(x, velocityX / kSubpixelsPerPixel), offsetBy(y, velocityY / kSubpixelsPerPixel), width,
                  height};
}

Bounds Object::probeHorizontal() const {
    return Bounds{offsetBy(x, sign(velocityX)), y, width, height};
}

Bounds Object::probeVertical(int stillStep) const {
    const int32_t step = velocityY == 0 ? stillStep : sign(velocityY);
    return Bounds{x, offsetBy(y, step), width, height};
}

Bounds Object::box() const {
    return Bounds{x, y, width, height};
}

irrklang::vec3df Object::soundPosition() const {
    const int64_t centreX = static_cast<int64_t>(x) + width / 2;
    const int64_t bottom = static_cast<int64_t>(y) + height;
    return irrklang::vec3df(static_cast<float>(centreX * kSoundUnitsPerPixel),
                            static_cast<float>(bottom * kSoundUnitsPerPixel), 0.0f);
}
