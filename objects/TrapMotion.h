#pragma once
#include <cstdint>

class Trap;

// What a tick changes of a trap: where its float has taken it, the float's two angles and its
// animation counter. A plain value; the Trap object only shows it.
struct TrapMotion {
    int32_t x = 0;
    int32_t y = 0;
    float phaseX = 0.0f;
    float phaseY = 0.0f;
    int frameCounter = 1;
};

// One tick of the trap: its picture's next frame, and one degree along each axis that floats.
// A trap without a picture still floats: it stays a hazard wherever its path takes it.
void advanceTrap(const Trap& trap, TrapMotion& motion);

// centre + amplitude x wave, truncated toward zero; the sum can pass the int range on hostile
// values, so it is formed wide and brought back.
int32_t pointOnPath(int32_t centre, int32_t amplitude, double wave);
