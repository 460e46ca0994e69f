// A pointer for the end-to-end tests on a headless sway, which has no pointer of its own:
// a virtual pointer that plays the steps given as arguments, then goes. One process is one
// gesture, since the desktop's programs lose their pointer when it goes.
//   tb_virtual_pointer WIDTH HEIGHT STEP...   (the layout's size, then the steps)
//   move X Y | press left|right | release left|right | wait MILLISECONDS
#include "virtual-pointer-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

static struct zwlr_virtual_pointer_manager_v1 *manager;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener listener = {global, global_remove};

static uint32_t now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static void pause_for(long milliseconds)
{
    struct timespec t = {milliseconds / 1000, (milliseconds % 1000) * 1000000};
    nanosleep(&t, NULL);
}

static uint32_t button_code(const char *name)
{
    return strcmp(name, "right") == 0 ? 0x111 : 0x110; // BTN_RIGHT, BTN_LEFT
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s WIDTH HEIGHT STEP...\n", argv[0]);
        return 2;
    }
    const uint32_t width = (uint32_t)atoi(argv[1]);
    const uint32_t height = (uint32_t)atoi(argv[2]);
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "the compositor has no virtual pointers\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);
    wl_display_roundtrip(display);
    // The desktop's programs take the new pointer in their own time.
    pause_for(300);
    for (int i = 3; i < argc; ++i) {
        if (strcmp(argv[i], "move") == 0 && i + 2 < argc) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), (uint32_t)atoi(argv[i + 1]),
                                                    (uint32_t)atoi(argv[i + 2]), width, height);
            zwlr_virtual_pointer_v1_frame(pointer);
            i += 2;
        } else if ((strcmp(argv[i], "press") == 0 || strcmp(argv[i], "release") == 0)
                   && i + 1 < argc) {
            zwlr_virtual_pointer_v1_button(pointer, now(), button_code(argv[i + 1]),
                                           strcmp(argv[i], "press") == 0);
            zwlr_virtual_pointer_v1_frame(pointer);
            i += 1;
        } else if (strcmp(argv[i], "wait") == 0 && i + 1 < argc) {
            wl_display_flush(display);
            pause_for(atol(argv[i + 1]));
            i += 1;
            continue;
        } else {
            fprintf(stderr, "unknown step %s\n", argv[i]);
            return 2;
        }
        wl_display_roundtrip(display);
        pause_for(30);
    }
    pause_for(100);
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
