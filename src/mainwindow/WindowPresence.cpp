#include "WindowPresence.h"

#include "EntryDisplay.h"
#include "IdleClock.h"
#include "KeywordLineEdit.h"
#include "WindowPlacement.h"

#include "platform/WindowFrame.h"
#include "ui/ScreenFit.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <utility>

WindowPresence::WindowPresence(QWidget &window, WindowFrame &frame, EntryDisplay &display,
                               KeywordLineEdit &input, IdleClock &clock)
    : m_window(window)
    , m_frame(frame)
    , m_display(display)
    , m_input(input)
    , m_clock(clock)
{
}

void WindowPresence::restore()
{
    // A hidden window shown again may still hear of the focus it lost when it was hidden:
    // the toolkit reports that loss late (on X11 about 100 ms), after the window came back.
    m_cameBack = !m_window.isVisible() || m_hiding;
    m_hiding = false;
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
    m_display.clearIcon();
    m_input.setFocus(Qt::ActiveWindowFocusReason);
    if (m_input.hasSelectedText())
        m_input.del();
}

void WindowPresence::comeForward(const QByteArray &activationToken)
{
    restore();
    m_frame.bringForward(*m_window.windowHandle(), activationToken);
}

void WindowPresence::putAway()
{
    m_display.clear();
    m_clock.resume();
    hideAfterLastFrame();
}

void WindowPresence::hideAfterLastFrame()
{
    m_hiding = true;
    m_frame.afterLastFrame(*m_window.windowHandle(), [this] {
        // Brought forward again in the meantime, it stays.
        if (std::exchange(m_hiding, false))
            m_window.hide();
    });
}

void WindowPresence::activated()
{
    m_cameBack = false;
}

bool WindowPresence::takeCameBack()
{
    return std::exchange(m_cameBack, false);
}

void WindowPresence::toggle(const QByteArray &activationToken)
{
    // The toolkit's idea of the active widget misses a window the window manager focused;
    // the focus window and the program's state do not.
    if (m_window.isVisible() && QGuiApplication::applicationState() == Qt::ApplicationActive
        && QGuiApplication::focusWindow() == m_window.windowHandle())
        return putAway();
    comeForward(activationToken);
}

void WindowPresence::summon(bool atPointer)
{
    // The client area placed inside the frame: move() goes by the toolkit's idea of a hidden
    // window's frame, which comes and goes.
    const QMargins frame =
        m_window.isVisible() ? WindowPlacement::frameOf(m_window) : m_hiddenFrame;
    const QSize size = m_window.size();
    if (atPointer)
        m_window.setGeometry(
            QRect(WindowPlacement::clientAtPointer(QCursor::pos(), size, frame), size));
    restore();
}

void WindowPresence::keepOnTop()
{
    QWindow *window = m_window.windowHandle();
    if (!window || window->flags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    window->setFlags(window->flags() | Qt::WindowStaysOnTopHint);
    // New flags bring the toolkit's own frame wishes back; ours stand.
    m_frame.setBorderOnly(*window);
}

void WindowPresence::hiding()
{
    m_hiddenFrame = WindowPlacement::frameOf(m_window);
}

void WindowPresence::resized()
{
    if (m_frame.abilities().placesItself)
        ScreenFit::keepWhole(m_window);
}
