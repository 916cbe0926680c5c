#pragma once

namespace irrklang {

// A position or direction for the sound engine, in units of 128 pixels; y grows downwards.
struct vec3df {
    vec3df() = default;
    vec3df(float x, float y, float z) : X(x), Y(y), Z(z) {}
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
};

}  // namespace irrklang
