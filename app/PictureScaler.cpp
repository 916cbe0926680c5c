#include "app/PictureScaler.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <cstdint>
#include <cstring>
#include <iostream>

namespace {

// Framebuffer objects came with GL 3.0 and, before that, the ARB extension.
constexpr int kFramebufferVersion = 3;

PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

template <typename Function>
void load(Function& function, const char* name) {
    function = reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

// glXGetProcAddress answers for any name, so the version or the extension decides.
bool driverHasFramebuffers() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const bool listed = extensions != nullptr && std::strstr(extensions, "GL_ARB_framebuffer_object") != nullptr;
    if (version == nullptr || (version[0] - '0' < kFramebufferVersion && !listed)) {
        return false;
    }
    load(genFramebuffers, "glGenFramebuffers");
    load(deleteFramebuffers, "glDeleteFramebuffers");
    load(bindFramebuffer, "glBindFramebuffer");
    load(framebufferTexture2D, "glFramebufferTexture2D");
    load(checkFramebufferStatus, "glCheckFramebufferStatus");
    return genFramebuffers != nullptr && deleteFramebuffers != nullptr && bindFramebuffer != nullptr &&
           framebufferTexture2D != nullptr && checkFramebufferStatus != nullptr;
}

void clearErrors() {
    while (glGetError() != GL_NO_ERROR) {
    }
}

void pixelProjection(double left, double top, double width, double height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, left + width, top + height, top, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

PictureScaler::~PictureScaler() {
    if (framebuffer != 0 && deleteFramebuffers != nullptr) {
        deleteFramebuffers(1, &framebuffer);
    }
    for (GLuint texture : {small, large}) {
        if (texture != 0) {
            glDeleteTextures(1, &texture);
        }
    }
}

bool PictureScaler::fitsTexture(unsigned int& texture, Bounds& size, int width, int height) {
    if (texture != 0 && size.w == width && size.h == height) {
        return true;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (width <= 0 || height <= 0 || width > largest || height > largest) {
        return false;
    }
    clearErrors();
    if (texture == 0) {
        glGenTextures(1, &texture);
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        texture = 0;
        size = Bounds{};
        return false;
    }
    size = Bounds{0, 0, width, height};
    return true;
}

bool PictureScaler::drawOffscreen() {
    if (framebuffers < 0) {
        framebuffers = driverHasFramebuffers() ? 1 : 0;
        if (framebuffers == 0) {
            std::cout << "[MAIN] The driver has no framebuffer objects: a picture larger than the window is cut\n";
        }
    }
    if (framebuffers == 0) {
        return false;
    }
    if (framebuffer == 0) {
        genFramebuffers(1, &framebuffer);
    }
    bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    if (attached != small) {
        framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, small, 0);
        attached = small;
    }
    if (checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        bindFramebuffer(GL_FRAMEBUFFER, 0);
        return false;
    }
    return true;
}

bool PictureScaler::begin(int width, int height, Bounds picturePart, Bounds place, int wholeNumber, bool clearWindow) {
    windowWidth = width;
    windowHeight = height;
    picture = picturePart;
    shown = place;
    whole = wholeNumber < 1 ? 1 : wholeNumber;
    windowCleared = clearWindow;
    glDisable(GL_SCISSOR_TEST);
    if (clearWindow) {
        glViewport(0, 0, windowWidth, windowHeight);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // A picture larger than its place is drawn apart from the window, which may be smaller still.
    offscreen = shown.w < picture.w || shown.h < picture.h;
    if (offscreen) {
        whole = 1;
    }
    const bool smooth = shown.w != int64_t{picture.w} * whole || shown.h != int64_t{picture.h} * whole;
    if (!fitsTexture(small, smallSize, picture.w, picture.h) ||
        (smooth && whole > 1 && !fitsTexture(large, largeSize, picture.w * whole, picture.h * whole))) {
        return false;
    }
    if (offscreen) {
        if (!drawOffscreen()) {
            return false;
        }
        cornerX = 0;
        cornerY = 0;
    } else {
        // The top-left corner of its place: whatever is drawn there is covered by the picture.
        cornerX = shown.x;
        cornerY = windowHeight - shown.y - picture.h;
        const int64_t drawnWidth = smooth ? int64_t{picture.w} * whole : picture.w;
        const int64_t drawnHeight = smooth ? int64_t{picture.h} * whole : picture.h;
        if (cornerX < 0 || cornerX + drawnWidth > windowWidth || shown.y < 0 || shown.y + drawnHeight > windowHeight) {
            return false;
        }
    }
    glViewport(cornerX, cornerY, picture.w, picture.h);
    glScissor(cornerX, cornerY, picture.w, picture.h);
    glEnable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    pixelProjection(picture.x, picture.y, picture.w, picture.h);
    return true;
}

void PictureScaler::putOnWindow(unsigned int texture, Bounds at, bool smooth) const {
    const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    const double left = at.x;
    const double top = at.y;
    const double right = left + at.w;
    const double bottom = top + at.h;
    // A copy's first row is the bottom of what was copied.
    glBegin(GL_QUADS);
    glTexCoord2d(0, 1);
    glVertex2d(left, top);
    glTexCoord2d(1, 1);
    glVertex2d(right, top);
    glTexCoord2d(1, 0);
    glVertex2d(right, bottom);
    glTexCoord2d(0, 0);
    glVertex2d(left, bottom);
    glEnd();
}

bool PictureScaler::enlargesOnProcessor() {
    if (enlarger == Enlarger::ByRenderer) {
        enlarger = ShmPresenter::softwareRenderer() ? Enlarger::Processor : Enlarger::Gl;
    }
    return enlarger == Enlarger::Processor;
}

bool PictureScaler::finish() {
    glDisable(GL_SCISSOR_TEST);
    const bool exact = shown.w == int64_t{picture.w} * whole && shown.h == int64_t{picture.h} * whole;
    if (exact && whole > 1 && !offscreen && enlargesOnProcessor()) {
        glViewport(0, 0, windowWidth, windowHeight);
        pixelProjection(0, 0, windowWidth, windowHeight);
        if (presenter.present(cornerX, cornerY, picture.w, picture.h, whole, shown, windowCleared)) {
            return true;
        }
    }
    if (offscreen) {
        bindFramebuffer(GL_FRAMEBUFFER, 0);
    } else {
        glBindTexture(GL_TEXTURE_2D, small);
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, cornerX, cornerY, picture.w, picture.h);
    }
    const bool blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glDisable(GL_BLEND);
    glViewport(0, 0, windowWidth, windowHeight);
    pixelProjection(0, 0, windowWidth, windowHeight);
    // Pictures leave their frame's scale in the texture matrix.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // The copy as it is: a multiplication by white is not exact in every driver.
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    if (exact) {
        putOnWindow(small, shown, false);
    } else if (whole > 1) {
        // Sharp first, by the whole number, inside the picture's place; then the rest, smoothly.
        const Bounds enlarged{shown.x, shown.y, picture.w * whole, picture.h * whole};
        putOnWindow(small, enlarged, false);
        glBindTexture(GL_TEXTURE_2D, large);
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, cornerX, windowHeight - shown.y - enlarged.h, enlarged.w,
                            enlarged.h);
        putOnWindow(large, shown, true);
    } else {
        putOnWindow(small, shown, true);
    }
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (blending) {
        glEnable(GL_BLEND);
    }
    return false;
}
