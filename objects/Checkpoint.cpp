#include "objects/Checkpoint.h"

#include "core/SaturatingMath.h"
#include "graphics/Image.h"

namespace {
constexpr int kUnlitFrame = 1;
constexpr int kLitFrame = 2;
}  // namespace

Checkpoint::Checkpoint() = default;

Checkpoint::~Checkpoint() = default;

void Checkpoint::setPicture(const std::string& path) {
    setImage(path);
    width = static_cast<int32_t>(image->frameWidth);
    height = static_cast<int32_t>(image->frameHeight);
}

void Checkpoint::partition(int frames) {
    if (image != nullptr) {
        image->partition(frames, 1);
        width = static_cast<int32_t>(image->frameWidth);
        height = static_cast<int32_t>(image->frameHeight);
    }
}

void Checkpoint::light(bool on) {
    if (image != nullptr) {
        image->setFrame(on ? kLitFrame : kUnlitFrame);
    }
}

Bounds Checkpoint::respawnBox(int32_t boxWidth, int32_t boxHeight) const {
    const int64_t left = int64_t{x} + (int64_t{width} - boxWidth) / 2;
    const int64_t top = int64_t{y} + height - boxHeight;
    return Bounds{saturateToInt32(left), saturateToInt32(top), boxWidth, boxHeight};
}
