#include "mainwindow/WindowPlacement.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase
{
    const char *name;
    QPoint pointer;
    QSize window;
    std::optional<QRect> workArea;
    QPoint expected;
};

class AtPointer : public ::testing::TestWithParam<PlacementCase>
{
};

TEST_P(AtPointer, PlacesTheCornerNearThePointerInsideTheWorkArea)
{
    const PlacementCase &c = GetParam();
    EXPECT_EQ(WindowPlacement::atPointer(c.pointer, c.window, c.workArea), c.expected);
}

const QRect kWorkArea(0, 0, 1024, 740);

INSTANTIATE_TEST_SUITE_P(
    Cases, AtPointer,
    ::testing::Values(
        PlacementCase{"TenPixelsUpAndLeft", {300, 200}, {192, 40}, kWorkArea, {290, 190}},
        PlacementCase{"NearTheTopLeftCorner", {5, 5}, {192, 40}, kWorkArea, {0, 0}},
        PlacementCase{"NearTheBottomRightCorner", {1020, 735}, {192, 40}, kWorkArea, {832, 700}},
        PlacementCase{"LargerThanTheWorkArea", {5, 5}, {2000, 900}, kWorkArea, {-976, -160}},
        PlacementCase{"NoWorkAreaKnown", {1020, 735}, {192, 40}, std::nullopt, {1010, 725}}),
    CaseName());

} // namespace
