#pragma once

#include <QByteArray>

// Every window of the program is drawn by the processor into shared memory, so the toolkit is
// kept from loading a GL stack it would not use: on Wayland, Qt 6.4 loads Mesa's EGL and its
// software rasteriser at the first window (about 50 MB of resident set) only to ask whether
// it may draw window frames itself; on X11 its GLX integration waits for the first GL window.
//
// The one place that decides it: a window or skin drawn through GL (QOpenGLWidget,
// QQuickWidget) needs the toolkit's own choice back, by making windowsUseGL true.
class SoftwareDrawing
{
public:
    static constexpr bool windowsUseGL = false;

    // Before the application is made: tells the toolkit of the platform about to start
    // (`platform`, as prepareToolkit found it) to draw without GL, unless the user chose
    // otherwise in the environment. On Wayland only where the compositor draws the windows'
    // frames: elsewhere the toolkit draws them itself, and only with its GL integration.
    static void prepare(const QByteArray &platform);

    // Once the application exists: has the toolkit take the choice now, quietly (it reports
    // an unknown buffer integration, which is the choice made), and takes it back from the
    // environment, which programs started from here would inherit.
    static void settle();
};
