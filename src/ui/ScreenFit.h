#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;
class QWindow;

// Keeps a top-level window wholly on a screen, its frame included: each time it is shown, on
// the screen that holds the pointer (else on its own), and again once the window manager has
// framed it. Place and size always go out together and come from what was asked, never from
// the toolkit's idea of where the window is: while the window manager reparents a window the
// toolkit may hear of it at (0,0), and a resize sent then moves the window there.
class ScreenFit : public QObject
{
public:
    // The window's fit, made on first use; it lives as long as the window.
    static ScreenFit &of(QWidget &window);

    // The next showing puts the window's outer corner here, as near as the screen allows.
    // Without it a window comes where it was last, and the first time in the screen's middle.
    void openAt(QPoint outerCorner);
    // The window's size, frame included, kept at `outer` (the client area is what the frame
    // leaves); the user cannot resize it.
    void keepOuterSize(QSize outer);

    // Where a window's outer rectangle goes to lie wholly in the area: moved as little as
    // needed, and a window larger than the area keeps its top left corner on the area's.
    static QPoint fitted(const QRect &outer, const QRect &area);

    // The window manager's frame around the window, as far as it is known: none until the
    // window is framed, and none while the toolkit reads it in the middle of a reparent
    // (it then gets sides below zero).
    static QMargins knownFrame(const QWindow &window);

    // A shown window, whose size has just changed, moved as little as needed to lie wholly on
    // the screen it is on.
    static void keepWhole(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ScreenFit(QWidget &window);

    void place();
    void checkFrame();
    void putOuter(QPoint corner, QMargins frame);
    QSize clientSize(QMargins frame) const;

    QWidget &m_window;
    std::optional<QPoint> m_asked;
    std::optional<QSize> m_outerSize;
    std::optional<QMargins> m_frame; // the window manager's frame, once known
    QRect m_area;                    // where the window was put this showing
    QPoint m_corner;                 // the outer corner it was put at
    bool m_shownBefore = false;
    bool m_checkQueued = false;
    QPointer<QObject> m_watchedHandle; // a released window is made anew
};
