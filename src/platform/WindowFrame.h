#pragma once

#include <QByteArray>
#include <QPoint>

#include <functional>
#include <optional>

class QWindow;

// How the desktop frames, places and stacks a window: the launcher wants a thin border it can
// be resized by, and no caption; where it appears, whether it stays above the others, how its
// shape is cut and how it comes forward with the focus are the desktop's to allow.
class WindowFrame
{
public:
    // What a window may do for itself on this desktop. X11 allows all of it; a Wayland
    // compositor places and stacks its windows itself, and a mask there only says where a
    // window takes clicks (its whole rectangle is still drawn).
    struct Abilities
    {
        bool placesItself = true; // moves itself, and knows where the pointer is
        bool staysOnTop = true;
        bool maskCutsDrawing = true; // else the cut-away pixels are painted fully transparent
    };

    virtual ~WindowFrame();

    virtual Abilities abilities() const { return {}; }

    // Asks the window manager for a border and resize handles only. Where there is no window
    // manager to ask, nothing happens.
    virtual void setBorderOnly(QWindow &window) = 0;

    // Hands the window to the window manager's move, as if the move had begun at the point
    // on the screen where the button went down, so that the window keeps up with the pointer
    // however far it went since. False where no window manager moves windows.
    virtual bool startMove(QWindow &window, QPoint pressPoint) = 0;

    // The window, which was on the screen already before it was shown again just now, takes
    // the focus at the request of another program: with the activation token that program
    // passed on (empty when none), or where the desktop gives the focus only to a window that
    // appears, by appearing anew. Where windows ask for the focus themselves, nothing more.
    virtual void bringForward(QWindow &window, const QByteArray &activationToken)
    {
        (void)window;
        (void)activationToken;
    }

    // Where the window's client area is on the screen, asked of the display server; none
    // where windows do not know their place. The toolkit's own idea of it can lag, or be
    // wrong for a while, as the window manager frames a window.
    virtual std::optional<QPoint> clientPosition(const QWindow &window) const
    {
        (void)window;
        return std::nullopt;
    }

    // Calls back once what the window drew last is on the screen, so that it can be taken off
    // the screen safely; at once where the desktop does not pace a window's frames.
    virtual void afterLastFrame(QWindow &window, std::function<void()> then)
    {
        (void)window;
        then();
    }
};
