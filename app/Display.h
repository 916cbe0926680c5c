#pragma once

class TextureManager;

// The texture manager, which also holds the window size; set by initDisplay.
extern TextureManager* screen;

// Double-buffered window from the settings, callbacks registered, black clear colour,
// texturing on and the pixel projection.
void initDisplay();

// Viewport and orthographic projection of one unit per pixel, origin top-left, y down.
void setPixelProjection(int width, int height);
