#include "app/FrameRequest.h"

#include <GL/freeglut.h>

namespace {
int64_t requested = 0;
}  // namespace

void FrameRequest::post() {
    ++requested;
    glutPostRedisplay();
}

int64_t FrameRequest::count() {
    return requested;
}
