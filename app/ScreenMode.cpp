#include "app/ScreenMode.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdint>
#include <iostream>

#include "app/Display.h"
#include "app/EventDispatch.h"
#include "app/WindowScale.h"
#include "core/SaturatingMath.h"
#include "graphics/TextureManager.h"

ScreenMode* ScreenMode::instance() {
    static ScreenMode* mode = new ScreenMode();
    return mode;
}

int ScreenMode::pickScale() const {
    if (!(autoScale || fullScreen || gameMode) || activeState == nullptr) {
        return 1;
    }
    return wholeScale(windowWidth, windowHeight, activeState->viewWidth(), activeState->viewHeight());
}

void ScreenMode::applyWindowSize(int width, int height) {
    windowWidth = width;
    windowHeight = height;
    scale = pickScale();
    TextureManager* logical = TextureManager::instance();
    logical->setScreenWidth(width / scale);
    logical->setScreenHeight(height / scale);
    setPixelProjection(width, height, scale);
}

void ScreenMode::refresh() {
    if (windowWidth > 0 && pickScale() != scale) {
        applyWindowSize(windowWidth, windowHeight);
    }
}

void ScreenMode::toggleFullScreen() {
    if (gameMode) {
        return;
    }
    glutFullScreenToggle();
    fullScreen = !fullScreen;
}

void ScreenMode::enterFullScreen() {
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) != 0) {
        glutEnterGameMode();
        gameMode = true;
        return;
    }
    std::cout << "[MAIN] No game mode for that size: full-screen window instead\n";
    toggleFullScreen();
}

Bounds ScreenMode::windowBox(int x, int y, int width, int height) const {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int64_t realWidth = std::max<int64_t>(0, int64_t{width} * scale);
    const int64_t realHeight = std::max<int64_t>(0, int64_t{height} * scale);
    const int64_t bottom = int64_t{viewport[3]} - (int64_t{y} * scale + realHeight);
    return Bounds{saturateToInt32(int64_t{x} * scale), saturateToInt32(bottom), saturateToInt32(realWidth),
                  saturateToInt32(realHeight)};
}

void ScreenMode::clip(Bounds windowBox) const {
    glScissor(windowBox.x, windowBox.y, windowBox.w, windowBox.h);
    glEnable(GL_SCISSOR_TEST);
}

void ScreenMode::unclip() const {
    glDisable(GL_SCISSOR_TEST);
}

void ScreenMode::prepareFrame() {
    // A display that failed half-way may have left its clip on.
    unclip();
    const bool nearest = scale > 1;
    const auto& textures = TextureManager::instance()->textures;
    if (nearest == texturesNearest && (!nearest || textures.size() == filteredTextures)) {
        return;
    }
    for (const auto& entry : textures) {
        glBindTexture(GL_TEXTURE_2D, entry.second.id);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, nearest ? GL_NEAREST : GL_LINEAR);
    }
    texturesNearest = nearest;
    filteredTextures = textures.size();
}
