/* Starts a program on the X display and reports, in milliseconds from just before its start,
 * when its first top-level window is mapped and when that window is first drawn into, and
 * its resident memory at that moment; then ends it and whatever it started. The drawing is seen with the X Damage
 * extension, so nothing is sampled and nothing waits longer than it must.
 *
 *   first_paint PROGRAM [ARGS...]
 *   prints: map_ms=12.3 paint_ms=45.6 rss_kb=34567 hwm_kb=35000
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The value in kB of a "Name:" line of /proc/PID/status, or -1. */
static long StatusKb(pid_t pid, const char* name) {
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, name, strlen(name)) == 0)
            kb = strtol(line + strlen(name), NULL, 10);
    fclose(f);
    return kb;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* dpy = XOpenDisplay(NULL);
    int damageEvent, damageError;
    if (!dpy || !XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        fprintf(stderr, "first_paint: no X display with the Damage extension\n");
        return 2;
    }
    Window root = DefaultRootWindow(dpy);
    /* Top-level windows are the root's children: watch them being created and mapped. */
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const double t0 = Now();
    pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0); /* its own group, so that it ends with all it started */
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    setpgid(pid, pid); /* whichever of the two runs first */
    double mapMs = -1, paintMs = -1;
    long rssKb = -1, hwmKb = -1;
    const double deadline = t0 + 20000;
    while (paintMs < 0 && Now() < deadline) {
        if (!XPending(dpy)) {
            struct pollfd p = {ConnectionNumber(dpy), POLLIN, 0};
            poll(&p, 1, 100);
            if (waitpid(pid, NULL, WNOHANG) == pid) {
                fprintf(stderr, "first_paint: %s ended before painting\n", argv[1]);
                return 1;
            }
            continue;
        }
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == CreateNotify) {
            /* Damage from its creation on, so that no drawing can come before it. */
            XDamageCreate(dpy, e.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (e.type == MapNotify && mapMs < 0) {
            mapMs = Now() - t0;
        } else if (e.type == damageEvent + XDamageNotify && mapMs >= 0) {
            paintMs = Now() - t0;
            rssKb = StatusKb(pid, "VmRSS:");
            hwmKb = StatusKb(pid, "VmHWM:");
        }
    }
    kill(-pid, SIGKILL);
    waitpid(pid, NULL, 0);
    if (paintMs < 0) {
        fprintf(stderr, "first_paint: no window painted within 20 s\n");
        return 1;
    }
    printf("map_ms=%.1f paint_ms=%.1f rss_kb=%ld hwm_kb=%ld\n", mapMs, paintMs, rssKb, hwmKb);
    return 0;
}
