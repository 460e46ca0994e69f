/*
 * hotkey-focus.c - one round of the hotkey benchmark: sends Ctrl+Alt+K and right after it
 * the letters "abcdef" through XTEST, with no delay at all, and times from the hotkey's
 * press to the moment the launcher's window has the keyboard focus.
 *
 *   hotkey-focus WINDOW-ID   prints "focus_ms=N" (or "focus_ms=timeout" after 2 s)
 *
 * Build: cc -O2 -o hotkey-focus hotkey-focus.c -lX11 -lXtst
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static void key(Display *d, KeySym sym, Bool down)
{
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, sym), down, CurrentTime);
}

static void tap(Display *d, KeySym sym)
{
    key(d, sym, True);
    key(d, sym, False);
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: hotkey-focus WINDOW-ID\n");
        return 2;
    }
    const Window launcher = (Window)strtoul(argv[1], NULL, 0);
    Display *d = XOpenDisplay(NULL);
    if (!d)
        return 2;
    key(d, XK_Control_L, True);
    key(d, XK_Alt_L, True);
    const double start = now_ms();
    tap(d, XK_k);
    key(d, XK_Alt_L, False);
    key(d, XK_Control_L, False);
    for (const char *c = "abcdef"; *c; ++c)
        tap(d, XStringToKeysym((char[]){*c, 0}));
    XFlush(d);

    for (;;) {
        Window focus;
        int revert;
        XGetInputFocus(d, &focus, &revert);
        if (focus == launcher) {
            printf("focus_ms=%.2f\n", now_ms() - start);
            break;
        }
        if (now_ms() - start > 2000) {
            printf("focus_ms=timeout\n");
            break;
        }
        struct timespec pause = {0, 200000};
        nanosleep(&pause, NULL);
    }
    XCloseDisplay(d);
    return 0;
}
