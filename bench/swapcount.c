/* Preloaded into the game by the benchmarks: counts buffer swaps by appending one byte per swap
 * to the file named by VANTOREL_SWAP_LOG, and, when VANTOREL_SWAP_TIMES names a file, appends
 * each swap's time there, in microseconds of the wall clock (as date +%s%N gives it), one line
 * each. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static int openLog(const char* variable) {
    const char* path = getenv(variable);
    return path ? open(path, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
}

void glutSwapBuffers(void) {
    static void (*real)(void) = 0;
    static int fd = -2;
    static int timesFd = -2;
    if (real == 0) {
        real = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    }
    if (fd == -2) {
        fd = openLog("VANTOREL_SWAP_LOG");
        timesFd = openLog("VANTOREL_SWAP_TIMES");
    }
    if (fd >= 0) {
        ssize_t ignored = write(fd, "s", 1);
        (void)ignored;
    }
    real();
    if (timesFd >= 0) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        char line[32];
        int length = snprintf(line, sizeof line, "%lld\n", (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000);
        ssize_t ignored = write(timesFd, line, (size_t)length);
        (void)ignored;
    }
}
