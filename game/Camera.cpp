#include "game/Camera.h"

#include "core/GameUnits.h"
#include "core/SaturatingMath.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {

// Left or top edge of a view of the given size kept inside a level of the given size.
int32_t clampEdge(int32_t edge, int32_t size, int32_t levelSize) {
    if (edge < 0) {
        return 0;
    }
    if (int64_t{edge} + size > levelSize) {
        return saturateToInt32(int64_t{levelSize} - size);
    }
    return edge;
}

}  // namespace

void Camera::centerOn(Bounds box) {
    x = saturateToInt32(int64_t{box.x} + box.w / 2 - width / 2);
    y = saturateToInt32(int64_t{box.y} + box.h / 2 - height / 2);
}

void Camera::clampToLevel(int levelWidth, int levelHeight) {
    x = clampEdge(x, width, levelWidth);
    y = clampEdge(y, height, levelHeight);

    irrklang::ISoundEngine* engine = WubManager::instance()->engine;
    if (engine == nullptr) {
        return;
    }
    const int64_t centreX = int64_t{x} + width / 2;
    const int64_t centreY = int64_t{y} + height / 2;
    const irrklang::vec3df position(static_cast<float>(centreX * units::kSoundUnitsPerPixel),
                                    static_cast<float>(centreY * units::kSoundUnitsPerPixel), 0);
    engine->setListenerPosition(position, irrklang::vec3df(0, 0, 1), irrklang::vec3df(0, 0, 0),
                                irrklang::vec3df(0, 1, 0));
}
