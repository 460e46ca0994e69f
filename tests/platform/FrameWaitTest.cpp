#include "platform/linux/FrameWait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// Counts the update requests the window gets.
class CountingWindow : public QWindow
{
public:
    int updates = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            ++updates;
        return QWindow::event(event);
    }
};

// The call back comes once, after the window has had two update requests answered (what the
// first draws is on the screen by the second), and never twice, though the time limit passes.
TEST(FrameWaitTest, CallsBackOnceAfterTwoAnsweredUpdates)
{
    CountingWindow window;
    window.resize(20, 20);
    window.show();
    const QDeadlineTimer exposed(2000);
    while (!window.isExposed() && !exposed.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(window.isExposed());

    int calls = 0;
    int updatesAtCall = -1;
    new FrameWait(window, [&] {
        ++calls;
        updatesAtCall = window.updates;
    });
    const QDeadlineTimer done(400);
    while (!done.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(updatesAtCall, 2);
    EXPECT_TRUE(window.findChildren<FrameWait *>().isEmpty());
}

} // namespace
