#include "settings/GlobalHotkey.h"
#include "dialogs/HotkeyEdit.h"

#include "platform/fake/FakeHotkeys.h"

#include "CaseName.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct CodeCase
{
    const char *name;
    int shortcut;
    GlobalHotkey::Combination expected;
};

class ShortcutCode : public ::testing::TestWithParam<CodeCase>
{
};

TEST_P(ShortcutCode, SplitsIntoKeyAndModifierFlags)
{
    EXPECT_EQ(GlobalHotkey::combination(GetParam().shortcut), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShortcutCode,
                         ::testing::Values(CodeCase{"CtrlAltZ", 0xC05A, {0x5A, 3}},
                                           CodeCase{"PlainF12", 0x7B, {0x7B, 0}},
                                           CodeCase{"ShiftCtrlA", 0x6041, {0x41, 6}},
                                           CodeCase{"AllThree", 0xE070, {0x70, 7}}),
                         CaseName());

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

class GlobalHotkeyTest : public ::testing::Test
{
protected:
    FakeHotkeys hotkeys;
    GlobalHotkey hotkey{hotkeys};
};

TEST_F(GlobalHotkeyTest, RegistrationsAnswerAsTheSystemDoes)
{
    EXPECT_TRUE(hotkey.registerHotkey(1, 0xC05A));
    EXPECT_FALSE(hotkey.registerHotkey(1, 0x7B)); // the identifier is taken
    EXPECT_EQ(hotkeys.grabbed.value(1), (FakeHotkeys::Combination{0x5A, 3}));
    EXPECT_TRUE(hotkey.reregister(1, 0xC05A)); // unchanged, registered before
    EXPECT_TRUE(hotkey.unregisterHotkey(1));
    EXPECT_FALSE(hotkey.unregisterHotkey(1));
    EXPECT_FALSE(hotkey.reregister(2, 0x7B)); // never registered: registers, answers false
    EXPECT_EQ(hotkeys.grabbed.value(2), (FakeHotkeys::Combination{0x7B, 0}));

    hotkeys.takenByOthers = {{0x4B, 3}};
    EXPECT_FALSE(hotkey.registerHotkey(3, 0xC04B));
    EXPECT_TRUE(hotkey.registerHotkey(3, 0xC04C)); // several identifiers at once
    EXPECT_EQ(hotkeys.grabbed.size(), 2);
}

TEST_F(GlobalHotkeyTest, APressTakesTheFocusForTheOwnerFirstThenReports)
{
    hotkeys.press(1); // nobody listens: nothing at all
    EXPECT_EQ(hotkeys.focusRequests, 0);

    QWidget owner;
    owner.winId();
    hotkey.setOwner(&owner);
    QList<int> seen;
    QList<int> focusRequestsSeen; // how many focus requests preceded each report
    QObject::connect(&hotkey, &GlobalHotkey::hotkey, [&](int id) {
        seen << id;
        focusRequestsSeen << hotkeys.focusRequests;
    });
    hotkeys.press(7);
    hotkey.setActivate(false); // the handler still runs, the focus is not asked for
    hotkeys.press(7);
    EXPECT_EQ(seen, QList<int>({7, 7}));
    EXPECT_EQ(focusRequestsSeen, QList<int>({1, 1}));
}

} // namespace
