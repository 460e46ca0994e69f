#include "SoftwareDrawing.h"

#include <QLoggingCategory>
#include <QOpenGLContext>

#include <wayland-client.h>

#include <cstring>

namespace {

constexpr const char *WaylandBuffers = "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION";
constexpr const char *X11GL = "QT_XCB_GL_INTEGRATION";

const char *variableSet = nullptr;
QLoggingCategory::CategoryFilter previousFilter = nullptr;

// Whether the compositor offers to draw the frames of windows (xdg-decoration), asked over a
// connection of our own that lives for one round trip.
bool compositorDrawsFrames()
{
    wl_display *display = wl_display_connect(nullptr);
    if (display == nullptr)
        return false;
    bool offered = false;
    static const wl_registry_listener listener{
        .global =
            [](void *data, wl_registry *, uint32_t, const char *interface, uint32_t) {
                if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                    *static_cast<bool *>(data) = true;
            },
        .global_remove = [](void *, wl_registry *, uint32_t) {},
    };
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}

void withoutWaylandWarnings(QLoggingCategory *category)
{
    if (std::strcmp(category->categoryName(), "qt.qpa.wayland") == 0)
        category->setEnabled(QtWarningMsg, false);
    else if (previousFilter != nullptr)
        previousFilter(category);
}

} // namespace

void SoftwareDrawing::prepare(const QByteArray &platform)
{
    if (windowsUseGL)
        return;
    const bool wayland = platform.startsWith("wayland");
    if (!wayland && !platform.startsWith("xcb"))
        return; // offscreen, a test's: nothing to choose
    const char *variable = wayland ? WaylandBuffers : X11GL;
    if (!qEnvironmentVariableIsEmpty(variable))
        return;
    if (wayland && !compositorDrawsFrames())
        return;
    // No such integration: the toolkit then draws every window through shared memory.
    qputenv(variable, "none");
    variableSet = variable;
}

void SoftwareDrawing::settle()
{
    if (variableSet == nullptr)
        return;
    previousFilter = QLoggingCategory::installFilter(withoutWaylandWarnings);
    // Asks the platform whether GL may be used from threads, which makes it pick its
    // integration, once and for good.
    QOpenGLContext::supportsThreadedOpenGL();
    QLoggingCategory::installFilter(previousFilter);
    qunsetenv(variableSet);
    variableSet = nullptr;
}
