#include "app/ShmPresenter.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>
#include <iostream>

#include "graphics/PixelEnlarge.h"

namespace {

// Renderers that draw on the processor, as GL_RENDERER names them.
constexpr const char* kSoftwareRenderers[] = {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"};

bool attachFailed = false;

int noteAttachFailure(::Display*, XErrorEvent*) {
    attachFailed = true;
    return 0;
}

bool hostIsLittleEndian() {
    const uint32_t one = 1;
    unsigned char first = 0;
    std::memcpy(&first, &one, 1);
    return first == 1;
}

// GL's BGRA words are X's pixels only for a 32-bit true-colour visual laid out the same way.
bool takesGlWords(const XImage* image, const Visual* visual) {
    return image->bits_per_pixel == 32 && image->byte_order == LSBFirst && hostIsLittleEndian() &&
           visual->red_mask == 0xff0000 && visual->green_mask == 0xff00 && visual->blue_mask == 0xff;
}

}  // namespace

ShmPresenter::~ShmPresenter() {
    release();
}

bool ShmPresenter::softwareRenderer() {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (renderer == nullptr) {
        return false;
    }
    for (const char* name : kSoftwareRenderers) {
        if (std::strstr(renderer, name) != nullptr) {
            return true;
        }
    }
    return false;
}

void ShmPresenter::release() {
    auto* x = static_cast<::Display*>(display);
    auto* info = static_cast<XShmSegmentInfo*>(segment);
    if (info != nullptr) {
        if (attached && x != nullptr) {
            XShmDetach(x, info);
            XSync(x, False);
        }
        if (info->shmaddr != reinterpret_cast<char*>(-1)) {
            shmdt(info->shmaddr);
        }
        delete info;
    }
    if (image != nullptr) {
        auto* ximage = static_cast<XImage*>(image);
        ximage->data = nullptr;  // the shared segment, let go of above
        XDestroyImage(ximage);
    }
    if (context != nullptr && x != nullptr) {
        XFreeGC(x, static_cast<GC>(context));
    }
    attached = false;
    segment = nullptr;
    image = nullptr;
    context = nullptr;
}

// A shared image of the enlarged size for the current window, made again when either changes.
bool ShmPresenter::ready(int width, int height) {
    ::Display* x = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (x == nullptr || drawable == 0) {
        return false;
    }
    auto* current = static_cast<XImage*>(image);
    if (current != nullptr && display == x && window == drawable && current->width == width &&
        current->height == height) {
        return true;
    }
    release();
    display = x;
    window = drawable;
    XWindowAttributes attributes;
    if (XShmQueryExtension(x) == False || XGetWindowAttributes(x, drawable, &attributes) == 0) {
        return false;
    }
    auto* info = new XShmSegmentInfo{};
    XImage* made = XShmCreateImage(x, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, nullptr,
                                   info, static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (made == nullptr) {
        delete info;
        return false;
    }
    image = made;
    info->shmid = -1;
    info->shmaddr = reinterpret_cast<char*>(-1);
    segment = info;
    if (!takesGlWords(made, attributes.visual)) {
        return false;
    }
    info->shmid = shmget(IPC_PRIVATE, static_cast<size_t>(made->bytes_per_line) * made->height, IPC_CREAT | 0600);
    if (info->shmid < 0) {
        return false;
    }
    info->shmaddr = static_cast<char*>(shmat(info->shmid, nullptr, 0));
    // Marked for removal at once: it goes when both sides have let go, even after a crash.
    shmctl(info->shmid, IPC_RMID, nullptr);
    if (info->shmaddr == reinterpret_cast<char*>(-1)) {
        return false;
    }
    made->data = info->shmaddr;
    info->readOnly = False;
    // A display on another machine cannot reach the segment: it answers with an error.
    attachFailed = false;
    XSync(x, False);
    XErrorHandler previous = XSetErrorHandler(noteAttachFailure);
    const Bool accepted = XShmAttach(x, info);
    XSync(x, False);
    XSetErrorHandler(previous);
    if (accepted == False || attachFailed) {
        return false;
    }
    attached = true;
    context = XCreateGC(x, drawable, 0, nullptr);
    return true;
}

bool ShmPresenter::present(int cornerX, int cornerY, int width, int height, int whole, Bounds shown, bool clearWindow) {
    if (refused || width < 1 || height < 1 || whole < 1) {
        return false;
    }
    if (!ready(width * whole, height * whole)) {
        release();
        refused = true;
        std::cout << "[MAIN] The display takes no shared picture: GL enlarges it\n";
        return false;
    }
    picture.resize(static_cast<size_t>(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(cornerX, cornerY, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, picture.data());
    auto* ximage = static_cast<XImage*>(image);
    enlargeByWhole(picture.data(), width, height, whole, reinterpret_cast<uint8_t*>(ximage->data),
                   static_cast<size_t>(ximage->bytes_per_line));
    auto* x = static_cast<::Display*>(display);
    const auto gc = static_cast<GC>(context);
    if (clearWindow) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(x, window, &attributes) != 0) {
            XSetForeground(x, gc, BlackPixelOfScreen(attributes.screen));
            XFillRectangle(x, window, gc, 0, 0, static_cast<unsigned>(attributes.width),
                           static_cast<unsigned>(attributes.height));
        }
    }
    XShmPutImage(x, window, gc, ximage, 0, 0, shown.x, shown.y, static_cast<unsigned>(ximage->width),
                 static_cast<unsigned>(ximage->height), False);
    // The segment is written again next frame: the display must be done reading it.
    XSync(x, False);
    shownOnce = true;
    return true;
}

void ShmPresenter::windowResized() {
    sizeUnseen = shownOnce;
}

void ShmPresenter::showNewSize() {
    if (!sizeUnseen) {
        return;
    }
    sizeUnseen = false;
    ::Display* x = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (x != nullptr && drawable != 0) {
        glXSwapBuffers(x, drawable);
    }
}
