#include "dialogs/HotkeyEdit.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

struct CaptureCase
{
    const char *name;
    int vk;
    Qt::KeyboardModifiers modifiers;
    int expected;
};

class HotkeyCapture : public ::testing::TestWithParam<CaptureCase>
{
};

TEST_P(HotkeyCapture, TakesPlainAndShiftedKeysWithCtrl)
{
    const CaptureCase &c = GetParam();
    EXPECT_EQ(HotkeyEdit::shortcutOf(c.vk, c.modifiers), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HotkeyCapture,
    ::testing::Values(CaptureCase{"PlainKeyGetsCtrl", 0x41, Qt::NoModifier, 0x4041},
                      CaptureCase{"ShiftAloneGetsCtrl", 0x74, Qt::ShiftModifier, 0x6074},
                      CaptureCase{"AltStaysAlone", 0x4B, Qt::AltModifier, 0x804B},
                      CaptureCase{"CtrlAlt", 0x4B, Qt::ControlModifier | Qt::AltModifier, 0xC04B},
                      CaptureCase{"CtrlShiftDigit", 0x31, Qt::ControlModifier | Qt::ShiftModifier,
                                  0x6031},
                      CaptureCase{"AModifierAloneIsNothing", 0x11, Qt::ControlModifier, 0},
                      CaptureCase{"NoKeyIsNothing", 0, Qt::ControlModifier, 0}),
    CaseName());

} // namespace
