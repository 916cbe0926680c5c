/* Preloaded into the game by idle-cpu.sh: counts buffer swaps (one per tick at the menu) by
 * appending one byte per swap to the file named by VANTOREL_SWAP_LOG. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

void glutSwapBuffers(void) {
    static void (*real)(void) = 0;
    static int fd = -2;
    if (real == 0) {
        real = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    }
    if (fd == -2) {
        const char* path = getenv("VANTOREL_SWAP_LOG");
        fd = path ? open(path, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
    }
    if (fd >= 0) {
        ssize_t ignored = write(fd, "s", 1);
        (void)ignored;
    }
    real();
}
