#include "platform/linux/FrameWait.h"
#include "platform/linux/WaylandWindowFrame.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// Counts the update requests the window gets, and its hidings.
class CountingWindow : public QWindow
{
public:
    int updates = 0;
    int hidings = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            ++updates;
        else if (event->type() == QEvent::Hide)
            ++hidings;
        return QWindow::event(event);
    }
};

void showAndWait(QWindow &window)
{
    window.resize(20, 20);
    window.show();
    const QDeadlineTimer exposed(2000);
    while (!window.isExposed() && !exposed.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(window.isExposed());
}

void runFor(int milliseconds)
{
    const QDeadlineTimer done(milliseconds);
    while (!done.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The call back comes once, after the window has had two update requests answered (what the
// first draws is on the screen by the second), and never twice, though the time limit passes.
TEST(FrameWaitTest, CallsBackOnceAfterTwoAnsweredUpdates)
{
    CountingWindow window;
    showAndWait(window);

    int calls = 0;
    int updatesAtCall = -1;
    new FrameWait(window, [&] {
        ++calls;
        updatesAtCall = window.updates;
    });
    runFor(400);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(updatesAtCall, 2);
    EXPECT_TRUE(window.findChildren<FrameWait *>().isEmpty());
}

// Hidden, shown and hidden again at once: only the last request calls back, after the frames
// drawn since it were answered; the older one, whose frames were, never acts.
TEST(FrameWaitTest, ANewerWaitCancelsTheOlder)
{
    CountingWindow window;
    showAndWait(window);
    int olderCalls = 0;
    int newerCalls = 0;
    int updatesAtNewer = -1;
    new FrameWait(window, [&] { ++olderCalls; });
    QCoreApplication::processEvents();
    const int updatesAtStart = window.updates;
    new FrameWait(window, [&] {
        ++newerCalls;
        updatesAtNewer = window.updates - updatesAtStart;
    });
    runFor(400);
    EXPECT_EQ(olderCalls, 0);
    EXPECT_EQ(newerCalls, 1);
    EXPECT_GE(updatesAtNewer, 2);
    EXPECT_TRUE(window.findChildren<FrameWait *>().isEmpty());
}

// A window brought forward without a token appears anew only once its frames were answered,
// and a request to hide it made meanwhile wins over the re-appearing.
TEST(FrameWaitTest, AppearingAnewWaitsForTheFramesAndYieldsToANewerHiding)
{
    WaylandWindowFrame frame;
    for (const bool hiddenMeanwhile : {false, true}) {
        SCOPED_TRACE(hiddenMeanwhile ? "hidden meanwhile" : "alone");
        CountingWindow window;
        showAndWait(window);
        QWindow other;
        showAndWait(other);
        other.requestActivate();
        runFor(30);
        ASSERT_FALSE(window.isActive());
        const int updatesAtStart = window.updates;
        frame.bringForward(window, {});
        EXPECT_EQ(window.hidings, 0);
        if (hiddenMeanwhile)
            frame.afterLastFrame(window, [&] { window.hide(); });
        runFor(400);
        EXPECT_GE(window.updates - updatesAtStart, 2);
        EXPECT_EQ(window.hidings, 1);
        EXPECT_EQ(window.isVisible(), !hiddenMeanwhile);
    }
}

} // namespace
