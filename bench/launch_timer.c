/* bench/launch_timer.c — starts a program and times it until its window is on screen under its title.
 *
 * Usage: launch_timer TITLE_PREFIX FOLDER PROGRAM [--ready]
 * Prints "MILLISECONDS RESIDENT_KB SETTLED_KB READY_MILLISECONDS": the time from just before the fork to the
 * moment the X server holds a viewable top-level window whose title starts with TITLE_PREFIX, the program's
 * resident memory at that moment, and again half a second after it was ready, once it has settled; then the
 * time until the program said it was ready (every menu built) on the pipe it finds in CUVELO_READY_FD, with
 * --ready ("-" without); then ends the program. It listens to the server's events instead of polling, so it
 * takes no CPU from the program it measures. Exit status 1, with a message, when no such window comes within
 * 30 s.
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static Atom net_wm_name, utf8_string;

/* A window that disappears between an event and the questions about it is no error here. */
static int ignore_x_error(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* True when the window's UTF-8 title (or, failing that, its WM_NAME) starts with the prefix. */
static int title_starts_with(Display* display, Window window, const char* prefix)
{
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = NULL;
    int match = 0;
    if (XGetWindowProperty(display, window, net_wm_name, 0, 1024, False, utf8_string, &type, &format, &items,
                           &after, &data) == Success &&
        data) {
        match = strncmp((const char*)data, prefix, strlen(prefix)) == 0;
        XFree(data);
        if (match)
            return 1;
    }
    char* name = NULL;
    if (XFetchName(display, window, &name) && name) {
        match = strncmp(name, prefix, strlen(prefix)) == 0;
        XFree(name);
    }
    return match;
}

static int is_ready(Display* display, Window window, const char* prefix)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return 0;
    return attributes.map_state == IsViewable && title_starts_with(display, window, prefix);
}

/* The VmRSS line of /proc/PID/status, in kB; 0 when it cannot be read. */
static long resident_kb(pid_t pid)
{
    char path[64], line[256];
    long kb = 0;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* status = fopen(path, "r");
    if (!status)
        return 0;
    while (fgets(line, sizeof line, status))
        if (sscanf(line, "VmRSS: %ld", &kb) == 1)
            break;
    fclose(status);
    return kb;
}

int main(int argc, char** argv)
{
    const int want_ready = argc == 5 && strcmp(argv[4], "--ready") == 0;
    if (argc != 4 && !want_ready) {
        fprintf(stderr, "usage: launch_timer TITLE_PREFIX FOLDER PROGRAM [--ready]\n");
        return 2;
    }
    int ready_pipe[2] = {-1, -1};
    if (want_ready && pipe(ready_pipe) != 0)
        return 1;
    const char* prefix = argv[1];
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "launch_timer: no X display\n");
        return 1;
    }
    XSetErrorHandler(ignore_x_error);
    net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    utf8_string = XInternAtom(display, "UTF8_STRING", False);
    /* Every top-level window's creation and mapping is reported to the root window's listeners. */
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        if (want_ready) {
            char number[16];
            close(ready_pipe[0]);
            snprintf(number, sizeof number, "%d", ready_pipe[1]);
            setenv("CUVELO_READY_FD", number, 1);
        }
        if (chdir(argv[2]) != 0)
            _exit(126);
        execl(argv[3], argv[3], (char*)NULL);
        _exit(127);
    }
    if (pid < 0)
        return 1;
    if (want_ready)
        close(ready_pipe[1]);

    double ready = -1, menus_ready = -1;
    long kb = 0;
    while (ready < 0 || (want_ready && menus_ready < 0)) {
        while (XPending(display) && ready < 0) {
            XEvent event;
            XNextEvent(display, &event);
            Window window = 0;
            if (event.type == CreateNotify) {
                window = event.xcreatewindow.window;
                /* Ask for its title changes, then look once: the title may have been set already. */
                XSelectInput(display, window, PropertyChangeMask);
            } else if (event.type == MapNotify) {
                window = event.xmap.window;
            } else if (event.type == PropertyNotify &&
                       (event.xproperty.atom == net_wm_name || event.xproperty.atom == XA_WM_NAME)) {
                window = event.xproperty.window;
            }
            if (window && is_ready(display, window, prefix)) {
                ready = now_ms();
                kb = resident_kb(pid);
            }
        }
        if (ready >= 0 && (!want_ready || menus_ready >= 0))
            break;
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            fprintf(stderr, "launch_timer: %s ended before showing its window\n", argv[3]);
            return 1;
        }
        if (now_ms() - start > 30000) {
            fprintf(stderr, "launch_timer: no window titled \"%s\" within 30 s\n", prefix);
            kill(pid, SIGKILL);
            waitpid(pid, NULL, 0);
            return 1;
        }
        struct pollfd watched[2] = {{ConnectionNumber(display), POLLIN, 0}, {ready_pipe[0], POLLIN, 0}};
        const int count = want_ready && menus_ready < 0 ? 2 : 1;
        if (poll(watched, count, 50) > 0 && count == 2 && (watched[1].revents & (POLLIN | POLLHUP))) {
            char line[16];
            if (read(ready_pipe[0], line, sizeof line) <= 0) {
                fprintf(stderr, "launch_timer: %s closed its ready pipe without a word\n", argv[3]);
                kill(pid, SIGKILL);
                waitpid(pid, NULL, 0);
                return 1;
            }
            menus_ready = now_ms();
        }
    }
    /* Half a second leaves the program ample time to finish drawing and settle (counted from the later of the
     * window and the menus, which the loop above waited for both). */
    struct timespec settle = {0, 500 * 1000 * 1000};
    nanosleep(&settle, NULL);
    const long settled_kb = resident_kb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    /* The next run starts on a server without this window. */
    XSync(display, False);
    XCloseDisplay(display);
    if (want_ready)
        printf("%.1f %ld %ld %.1f\n", ready - start, kb, settled_kb, menus_ready - start);
    else
        printf("%.1f %ld %ld -\n", ready - start, kb, settled_kb);
    return 0;
}
