/* Preloaded into the Linux hack by the frame benchmarks: counts its buffer
 * swaps. On SIGUSR1 it appends the count so far to the file named by
 * SWAP_COUNT_FILE, so that the frames of a window of time are known; when
 * FIRST_SWAP_FILE is set, it notes there the milliseconds from the program's
 * start to its first swap. The handler writes with async-signal-safe calls
 * only. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static volatile unsigned long swaps;
static struct timespec started;

static void append(const char *variable, unsigned long value) {
    char digits[24];
    char text[32];
    int n = 0;
    do {
        digits[n++] = (char)('0' + value % 10);
        value /= 10;
    } while (value);
    for (int i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
    text[n++] = '\n';
    const char *path = getenv(variable);
    int fd = path ? open(path, O_WRONLY | O_APPEND | O_CREAT, 0666) : -1;
    if (fd >= 0) {
        (void)!write(fd, text, (size_t)n);
        close(fd);
    }
}

static void report(int signal) {
    (void)signal;
    append("SWAP_COUNT_FILE", swaps);
}

__attribute__((constructor)) static void install(void) {
    clock_gettime(CLOCK_MONOTONIC, &started);
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = report;
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, NULL);
}

void glXSwapBuffers(void *display, unsigned long drawable) {
    static void (*real)(void *, unsigned long);
    if (!real) real = (void (*)(void *, unsigned long))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    if (++swaps == 1) {
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        append("FIRST_SWAP_FILE", (unsigned long)((now.tv_sec - started.tv_sec) * 1000 +
                                                   (now.tv_nsec - started.tv_nsec) / 1000000));
    }
}
