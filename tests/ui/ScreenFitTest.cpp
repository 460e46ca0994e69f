#include "ui/ScreenFit.h"

#include "CaseName.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct FitCase
{
    const char *name;
    QRect outer;
    QPoint expected;
};

class Fitted : public ::testing::TestWithParam<FitCase>
{
};

// A screen of 1024 x 768 whose top 24 rows a panel takes.
const QRect kArea(0, 24, 1024, 744);

TEST_P(Fitted, MovesTheWindowAsLittleAsNeededToLieInTheArea)
{
    EXPECT_EQ(ScreenFit::fitted(GetParam().outer, kArea), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Fitted,
    ::testing::Values(FitCase{"Inside", {100, 100, 249, 508}, {100, 100}},
                      FitCase{"PastTheBottomRight", {870, 780, 249, 508}, {775, 260}},
                      FitCase{"OnTheEdges", {775, 260, 249, 508}, {775, 260}},
                      FitCase{"AboveAndLeft", {-1, -20, 257, 284}, {0, 24}},
                      FitCase{"LargerThanTheArea", {50, 50, 1100, 800}, {0, 24}}),
    CaseName());

TEST(ScreenFit, AWindowAskedToOpenPastTheScreensCornerOpensOnTheScreen)
{
    QWidget window;
    window.resize(249, 508);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ScreenFit::of(window).openAt(area.bottomRight() - QPoint(10, 10));
    window.show();
    EXPECT_TRUE(area.contains(window.frameGeometry())) << window.frameGeometry().y();
    // Asked once: shown again, it stays where it is.
    window.hide();
    window.move(area.topLeft() + QPoint(20, 30));
    window.show();
    EXPECT_EQ(window.pos(), area.topLeft() + QPoint(20, 30));
}

} // namespace
