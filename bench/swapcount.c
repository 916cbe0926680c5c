/* Preloaded into the game by the benchmarks: counts frames shown by appending one byte per frame
 * to the file named by VANTOREL_SWAP_LOG, and, when VANTOREL_SWAP_TIMES names a file, appends
 * each frame's time there, in microseconds of the wall clock (as date +%s%N gives it), one line
 * each. A frame is a buffer swap, or a picture the game puts on the window through X shared
 * memory itself (the renderer's own puts inside a swap are not counted again). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef struct _XDisplay Display;
typedef struct _XImage XImage;
typedef struct _XGC* GC;
typedef unsigned long Drawable;

static int openLog(const char* variable) {
    const char* path = getenv(variable);
    return path ? open(path, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
}

static int fd = -2;
static int timesFd = -2;
static int swapping = 0;

static void countFrame(void) {
    if (fd == -2) {
        fd = openLog("VANTOREL_SWAP_LOG");
        timesFd = openLog("VANTOREL_SWAP_TIMES");
    }
    if (fd >= 0) {
        ssize_t ignored = write(fd, "s", 1);
        (void)ignored;
    }
}

static void noteTime(void) {
    if (timesFd >= 0) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        char line[32];
        int length = snprintf(line, sizeof line, "%lld\n", (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000);
        ssize_t ignored = write(timesFd, line, (size_t)length);
        (void)ignored;
    }
}

void glutSwapBuffers(void) {
    static void (*real)(void) = 0;
    if (real == 0) {
        real = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    }
    countFrame();
    swapping = 1;
    real();
    swapping = 0;
    noteTime();
}

int XShmPutImage(Display* display, Drawable drawable, GC gc, XImage* image, int srcX, int srcY, int dstX, int dstY,
                 unsigned int width, unsigned int height, int sendEvent) {
    typedef int (*Put)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned int, unsigned int, int);
    static Put real = 0;
    if (real == 0) {
        real = (Put)dlsym(RTLD_NEXT, "XShmPutImage");
    }
    if (swapping) {
        return real(display, drawable, gc, image, srcX, srcY, dstX, dstY, width, height, sendEvent);
    }
    countFrame();
    const int result = real(display, drawable, gc, image, srcX, srcY, dstX, dstY, width, height, sendEvent);
    noteTime();
    return result;
}
