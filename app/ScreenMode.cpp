#include "app/ScreenMode.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>

#include "app/Display.h"
#include "app/EventDispatch.h"
#include "core/SaturatingMath.h"
#include "graphics/TextureManager.h"

namespace {

// After the window changes, its whole surface is cleared this many frames, so that every buffer
// of a swap chain up to three deep loses what the window showed before.
constexpr int kWindowClearFrames = 3;

int ceilDivide(int value, int divisor) {
    return static_cast<int>((int64_t{value} + divisor - 1) / divisor);
}

int64_t floorDivide(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

Bounds intersect(Bounds a, Bounds b) {
    const int64_t left = std::max(a.x, b.x);
    const int64_t top = std::max(a.y, b.y);
    const int64_t right = std::min(int64_t{a.x} + a.w, int64_t{b.x} + b.w);
    const int64_t bottom = std::min(int64_t{a.y} + a.h, int64_t{b.y} + b.h);
    if (right <= left || bottom <= top) {
        return Bounds{};
    }
    return Bounds{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
                  static_cast<int32_t>(bottom - top)};
}

}  // namespace

ScreenMode* ScreenMode::instance() {
    static ScreenMode* mode = new ScreenMode();
    return mode;
}

ScreenMode::Layout ScreenMode::pickLayout() const {
    Layout picked;
    const bool full = fullScreen || gameMode;
    if (!(autoScale || fitScale || full) || activeState == nullptr) {
        return picked;
    }
    const int viewWidth = activeState->viewWidth();
    const int viewHeight = activeState->viewHeight();
    if (viewWidth <= 0 || viewHeight <= 0) {
        return picked;
    }
    const bool larger = viewWidth > windowWidth || viewHeight > windowHeight;
    const bool letterboxed =
        full && !autoScale && wholeScaleLeavesTooMuchBlack(windowWidth, windowHeight, viewWidth, viewHeight);
    const bool exact = viewWidth == windowWidth && viewHeight == windowHeight;
    if (!exact && (fitScale || letterboxed || (larger && autoScale))) {
        picked.fitted = true;
        picked.fit = sharpFit(windowWidth, windowHeight, viewWidth, viewHeight);
        picked.viewWidth = viewWidth;
        picked.viewHeight = viewHeight;
        return picked;
    }
    picked.scale = wholeScale(windowWidth, windowHeight, viewWidth, viewHeight);
    return picked;
}

void ScreenMode::applyWindowSize(int width, int height) {
    if (width != windowWidth || height != windowHeight) {
        scaler.windowResized();
    }
    windowWidth = width;
    windowHeight = height;
    layout = pickLayout();
    scale = layout.scale;
    TextureManager* logical = TextureManager::instance();
    logical->setScreenWidth(layout.fitted ? layout.viewWidth : width / scale);
    logical->setScreenHeight(layout.fitted ? layout.viewHeight : height / scale);
    setPixelProjection(width, height, scale);
    windowClears = kWindowClearFrames;
}

void ScreenMode::refresh() {
    if (windowWidth > 0 && !(pickLayout() == layout)) {
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

void ScreenMode::windowExposed() {
    windowClears = kWindowClearFrames;
}

int ScreenMode::toLogicalX(int x) const {
    if (layout.fitted && layout.fit.shown.w > 0) {
        return static_cast<int>(floorDivide((int64_t{x} - layout.fit.shown.x) * layout.viewWidth, layout.fit.shown.w));
    }
    return x / scale;
}

int ScreenMode::toLogicalY(int y) const {
    if (layout.fitted && layout.fit.shown.h > 0) {
        return static_cast<int>(floorDivide((int64_t{y} - layout.fit.shown.y) * layout.viewHeight, layout.fit.shown.h));
    }
    return y / scale;
}

Bounds ScreenMode::windowBox(int x, int y, int width, int height) const {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int64_t realWidth = std::max<int64_t>(0, int64_t{width} * drawScale);
    const int64_t realHeight = std::max<int64_t>(0, int64_t{height} * drawScale);
    const int64_t left = int64_t{viewport[0]} + (int64_t{x} - drawLeft) * drawScale;
    const int64_t bottom = int64_t{viewport[1]} + viewport[3] - ((int64_t{y} - drawTop) * drawScale + realHeight);
    return Bounds{saturateToInt32(left), saturateToInt32(bottom), saturateToInt32(realWidth),
                  saturateToInt32(realHeight)};
}

void ScreenMode::clip(Bounds windowBox) const {
    glScissor(windowBox.x, windowBox.y, windowBox.w, windowBox.h);
    glEnable(GL_SCISSOR_TEST);
}

void ScreenMode::unclip() const {
    glDisable(GL_SCISSOR_TEST);
}

// The part of the logical window the state draws in; the whole of it, to its last partly shown
// pixels, for a state that does not keep to a box.
Bounds ScreenMode::pictureBox() const {
    if (layout.fitted) {
        return Bounds{0, 0, layout.viewWidth, layout.viewHeight};
    }
    const Bounds all{0, 0, ceilDivide(windowWidth, scale), ceilDivide(windowHeight, scale)};
    const std::optional<Bounds> kept = activeState != nullptr ? activeState->pictureBox() : std::nullopt;
    return kept ? intersect(*kept, all) : all;
}

void ScreenMode::beginFrame() {
    // A display that failed half-way may have left its clip on.
    unclip();
    scaler.showNewSize();
    scaledFrame = false;
    if (windowWidth <= 0 || (!layout.fitted && scale == 1)) {
        directFrame();
        return;
    }
    const Bounds picture = pictureBox();
    const int whole = layout.fitted ? layout.fit.whole : scale;
    const Bounds shown = layout.fitted
                             ? layout.fit.shown
                             : Bounds{picture.x * scale, picture.y * scale, picture.w * scale, picture.h * scale};
    if (shown != lastShown) {
        windowClears = kWindowClearFrames;
    }
    if (picture.w <= 0 || picture.h <= 0 ||
        !scaler.begin(windowWidth, windowHeight, picture, shown, whole, windowClears > 0)) {
        directFrame();
        return;
    }
    windowClears = std::max(0, windowClears - 1);
    lastShown = shown;
    scaledFrame = true;
    drawLeft = picture.x;
    drawTop = picture.y;
    drawScale = 1;
    // Drawn one pixel a pixel, pictures look as they do at scale 1.
    filterTextures(false);
}

bool ScreenMode::finishFrame() {
    if (!scaledFrame) {
        return false;
    }
    const bool shownAlready = scaler.finish();
    setPixelProjection(windowWidth, windowHeight, scale);
    scaledFrame = false;
    drawLeft = 0;
    drawTop = 0;
    drawScale = scale;
    return shownAlready;
}

// Straight into the window, cleared whole, every texture magnified without blur above scale 1.
void ScreenMode::directFrame() {
    if (windowWidth > 0) {
        setPixelProjection(windowWidth, windowHeight, scale);
    }
    drawLeft = 0;
    drawTop = 0;
    drawScale = scale;
    lastShown = Bounds{};
    filterTextures(scale > 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

void ScreenMode::filterTextures(bool nearest) {
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
