#pragma once
#include <cstdint>

// The one way a state asks the window system for a frame (glutPostRedisplay), counted, so that
// what a state asks for can be told from what the window system, which skips a covered
// window, then draws.
class FrameRequest {
public:
    static void post();
    // Frames asked for since the start.
    static int64_t count();
};
