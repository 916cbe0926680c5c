#include "objects/Trotling.h"

#include "graphics/Image.h"
#include "objects/MotionTuning.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {
constexpr float kJumpVolume = 0.5f;
constexpr float kLandVolume = 0.2f;

irrklang::ISoundSource* requestWithVolume(const char* name, float volume) {
    irrklang::ISoundSource* source = WubManager::instance()->requestSoundSource(name);
    if (source != nullptr) {
        source->setDefaultVolume(volume);
    }
    return source;
}
}  // namespace

Trotling::Trotling(const std::string& spritePath) : Object(spritePath) {
    soundEngine = WubManager::instance()->engine;
    jumpSound = requestWithVolume("sounds/jump.wav", kJumpVolume);
    landSound = requestWithVolume("sounds/land.wav", kLandVolume);
}

Trotling::~Trotling() = default;

void Trotling::setupSprite() {
    if (image != nullptr) {
        cutSheet(*image);
    }
    width = tuning::kPlayerWidth;
    height = tuning::kPlayerHeight;
}

void Trotling::cutSheet(Image& sheet) {
    sheet.partition(tuning::kSheetColumns, tuning::kSheetRows);
    sheet.setTicksPerFrame(tuning::kPoseTicksPerFrame);
    sheet.x = tuning::kPlayerSpriteOffsetX;
    sheet.y = tuning::kPlayerSpriteOffsetY;
}

PlayerBody Trotling::newcomerOn(const Image& cutSheet) {
    PlayerBody body;
    body.width = tuning::kPlayerWidth;
    body.height = tuning::kPlayerHeight;
    body.facingRight = !cutSheet.flipped;
    body.pose = cutSheet;
    return body;
}

PlayerBody Trotling::body() const {
    PlayerBody result;
    static_cast<Body&>(result) = *this;
    result.walkAcceleration = walkAcceleration;
    result.grounded = grounded;
    if (image != nullptr) {
        result.facingRight = !image->flipped;
        result.pose = *image;
    }
    return result;
}

void Trotling::show(const PlayerBody& shown) {
    static_cast<Body&>(*this) = shown;
    walkAcceleration = shown.walkAcceleration;
    grounded = shown.grounded;
    if (image != nullptr) {
        image->flipped = !shown.facingRight;
        static_cast<SheetCounters&>(*image) = shown.pose;
    }
}

void Trotling::playAt(irrklang::ISoundSource* source, const irrklang::vec3df& where) const {
    if (soundEngine == nullptr || source == nullptr) {
        return;
    }
    soundEngine->play3D(source, where, false, false, false, false);
}
