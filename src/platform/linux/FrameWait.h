#pragma once

#include <QObject>

#include <functional>

class QWindow;

// Waits for the frames a Wayland window drew to be answered by the compositor, then calls
// back once and goes: after two update requests (the toolkit answers one once the last frame
// was, and the first may draw what changed since), or after a fifth of a second where no
// answer comes (a window the compositor does not show). Made on the heap; the window owns it.
//
// A window has one wait at a time: a newer one cancels the older, whose call back then never
// comes. Were both kept, the older could end within the newer's frames (hidden, shown and
// hidden again quickly) and unmap the window before they were answered.
class FrameWait : public QObject
{
public:
    FrameWait(QWindow &window, std::function<void()> then);

    // A wait of the window that is not over yet ends without calling back.
    static void cancel(QWindow &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void finish();
    void stop();

    QWindow &m_window;
    std::function<void()> m_then;
    int m_rounds = 0;
    bool m_finishing = false;
};
