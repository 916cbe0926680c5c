#include "objects/Trotling.h"

#include "graphics/Image.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {
constexpr float kJumpVolume = 0.5f;
constexpr float kLandVolume = 0.2f;

// Sprite sheet: columns by rows of equal frames.
constexpr int kSheetColumns = 6;
constexpr int kSheetRows = 3;
constexpr int kStandingRow = 1;
constexpr int kWalkingRow = 2;
constexpr int kAirborneRow = 3;
constexpr int kRisingColumn = 1;
constexpr int kFallingColumn = 2;
constexpr int kWalkTicksPerFrame = 4;
constexpr int kPoseTicksPerFrame = 16;

// Collision box in pixels and where the frame is drawn from the box's corner.
constexpr int32_t kBoxWidth = 34;
constexpr int32_t kBoxHeight = 46;
constexpr int kSpriteOffsetX = -15;
constexpr int kSpriteOffsetY = -9;

irrklang::ISoundSource* requestWithVolume(const char* name, float volume) {
    irrklang::ISoundSource* source = WubManager::instance()->requestSoundSource(name);
    if (source != nullptr) {
        source->setDefaultVolume(volume);
    }
    return source;
}
}  // namespace

Trotling::Trotling(const std::string& spritePath) : Object(spritePath) {
    walkAcceleration = 0;
    grounded = false;
    soundEngine = WubManager::instance()->engine;
    jumpSound = requestWithVolume("sounds/jump.wav", kJumpVolume);
    landSound = requestWithVolume("sounds/land.wav", kLandVolume);
}

Trotling::~Trotling() = default;

void Trotling::land(int newFriction) {
    velocityY = 0;
    friction = newFriction;
}

void Trotling::draw(int offsetX, int offsetY) {
    if (image == nullptr) {
        return;
    }
    if (!showingAirborneRow()) {
        image->nextFrame();
    }
    drawImage(offsetX, offsetY);
}

void Trotling::setGrounded(bool onGround) {
    if (!onGround) {
        grounded = false;
        showAirbornePose();
        return;
    }
    if (!grounded) {
        playHere(landSound);
        grounded = true;
    }
    showGroundPose();
}

void Trotling::setupSprite() {
    if (image != nullptr) {
        image->partition(kSheetColumns, kSheetRows);
        image->setTicksPerFrame(kPoseTicksPerFrame);
        image->x = kSpriteOffsetX;
        image->y = kSpriteOffsetY;
    }
    width = kBoxWidth;
    height = kBoxHeight;
}

void Trotling::playHere(irrklang::ISoundSource* source) {
    if (soundEngine == nullptr || source == nullptr) {
        return;
    }
    soundEngine->play3D(source, soundPosition(), false, false, false, false);
}

void Trotling::showGroundPose() {
    if (image != nullptr) {
        if (walkAcceleration != 0) {
            image->setTicksPerFrame(kWalkTicksPerFrame);
            image->setRow(kWalkingRow);
        } else {
            image->setTicksPerFrame(kPoseTicksPerFrame);
            image->setRow(kStandingRow);
        }
    }
}

void Trotling::showAirbornePose() {
    if (image != nullptr) {
        image->setTicksPerFrame(kPoseTicksPerFrame);
        image->setRow(kAirborneRow);
        image->setFrame(velocityY < 0 ? kRisingColumn : kFallingColumn);
    }
    friction = 0;
}

bool Trotling::showingAirborneRow() const {
    const int ticksPerFrame = static_cast<int>(image->ticksPerFrame);
    return image->rowCounter / ticksPerFrame + 1 == kAirborneRow;
}
