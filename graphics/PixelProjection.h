#pragma once

// Viewport over the whole window of width x height pixels and an orthographic projection of
// one unit per scale x scale pixels, origin top-left, y down. The current GL context's.
void setPixelProjection(int width, int height, int scale = 1);
