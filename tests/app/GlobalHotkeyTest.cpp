#include "app/GlobalHotkey.h"

#include "platform/fake/FakeHotkeys.h"

#include "CaseName.h"

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

// Whether a window takes the focus for a press is the handler's to say (the summoner's tests
// show the focus asked for); without a handler a press does nothing at all.
TEST_F(GlobalHotkeyTest, APressGoesToTheHandlerWhichSaysWhetherAWindowTakesTheFocus)
{
    EXPECT_FALSE(hotkeys.press(1)); // nobody listens: nothing at all

    QList<int> seen;
    bool wantsFocus = true;
    hotkey.setPressHandler([&](int id) {
        seen << id;
        return wantsFocus;
    });
    EXPECT_TRUE(hotkeys.press(7));
    wantsFocus = false; // the handler still runs, no window is to take the focus
    EXPECT_FALSE(hotkeys.press(7));
    EXPECT_EQ(seen, QList<int>({7, 7}));
}

} // namespace
