#pragma once

// The units the whole game counts in, kept in one place.
namespace units {

// One degree as the game counts it: 3.141595 / 180, a little more than the true pi / 180.
// The floats of traps and the bobbing of scenery step by it.
constexpr double kRadiansPerDegree = 0.017453305555555555;
// Sound positions: one unit is 128 pixels.
constexpr double kSoundUnitsPerPixel = 0.0078125;
// A tick of play, in milliseconds.
constexpr unsigned int kTickMilliseconds = 16;
// The "nextmap" that ends the game with the win screen instead of loading a level.
constexpr const char* kLastLevelMark = "finish";

}  // namespace units
