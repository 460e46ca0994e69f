#include "settings/ShortcutText.h"
#include "CaseName.h"
#include "platform/fake/FakeKeyNames.h"
#include "platform/linux/LinuxKeyNames.h"

#include <gtest/gtest.h>

namespace {

constexpr int S = ShortcutText::Shift;
constexpr int C = ShortcutText::Ctrl;
constexpr int A = ShortcutText::Alt;

struct TextCase
{
    std::string name;
    int shortcut;
    QString text;
};

// The layout names only the key 0xBA; every other key outside the fixed list is nameless.
const FakeKeyNames &layout()
{
    static const FakeKeyNames names({{0xBA, QStringLiteral(";")}});
    return names;
}

class ToTextTest : public testing::TestWithParam<TextCase>
{
};

TEST_P(ToTextTest, Writes)
{
    EXPECT_EQ(ShortcutText(layout()).toText(GetParam().shortcut), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToTextTest,
    testing::Values(TextCase{"None", 0, ""}, TextCase{"CtrlA", 16449, "Ctrl+A"},
                    TextCase{"ShiftCtrlF5", S | C | 0x74, "Shift+Ctrl+F5"},
                    TextCase{"AllModifiersF12", A | C | S | 0x7B, "Shift+Ctrl+Alt+F12"},
                    TextCase{"AltOnly", A | 0x5A, "Alt+Z"}, TextCase{"BackSpace", 0x08, "BkSp"},
                    TextCase{"Tab", 0x09, "Tab"}, TextCase{"Enter", 0x0D, "Enter"},
                    TextCase{"Esc", 0x1B, "Esc"}, TextCase{"Space", 0x20, "Space"},
                    TextCase{"PgUp", 0x21, "PgUp"}, TextCase{"Down", 0x28, "Down"},
                    TextCase{"Ins", 0x2D, "Ins"}, TextCase{"Del", 0x2E, "Del"},
                    TextCase{"Digit", 0x35, "5"}, TextCase{"NumPad0", 0x60, "0"},
                    TextCase{"NumPad9", 0x69, "9"}, TextCase{"F24", 0x87, "F24"},
                    TextCase{"LayoutName", C | 0xBA, "Ctrl+;"},
                    TextCase{"NamelessKey", C | 0xBB, ""},
                    TextCase{"ModifiersWithoutKey", C | S, ""},
                    TextCase{"CodeAboveByte", 0x141, ""}),
    CaseName());

class FromTextTest : public testing::TestWithParam<TextCase>
{
};

TEST_P(FromTextTest, Reads)
{
    EXPECT_EQ(ShortcutText(layout()).fromText(GetParam().text), GetParam().shortcut);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FromTextTest,
    testing::Values(TextCase{"Empty", 0, ""}, TextCase{"CtrlA", 0x4041, "Ctrl+A"},
                    TextCase{"AnyCase", 0x4041, "cTRL+a"}, TextCase{"Caret", 0x4041, "^A"},
                    TextCase{"AnyOrder", A | C | S | 0x7B, "Alt+Shift+ctrl+F12"},
                    TextCase{"Repeated", C | 0x41, "Ctrl+^Ctrl+A"},
                    TextCase{"DigitNotNumPad", S | 0x30, "Shift+0"},
                    TextCase{"LayoutName", C | 0xBA, "Ctrl+;"}, TextCase{"BackSpace", 0x08, "bksp"},
                    TextCase{"F24", 0x87, "f24"}, TextCase{"OnlyPrefixes", 0, "Shift+Ctrl+"},
                    TextCase{"UnknownName", 0, "Ctrl+Nope"},
                    TextCase{"BlanksInside", 0, "Ctrl + A"},
                    TextCase{"PrefixWithoutPlus", 0, "CtrlA"}),
    CaseName());

// Every key the Linux layout names must read back as itself, or the hotkey would change
// between runs.
TEST(LinuxKeyNamesTest, EveryNamedKeyReadsBack)
{
    const LinuxKeyNames names;
    const ShortcutText text(names);
    int named = 0;
    for (int vk = 0x08; vk <= 0xFF; ++vk) {
        const int shortcut = S | C | A | vk;
        if (text.toText(shortcut).isEmpty())
            continue;
        ++named;
        const int expected = (vk >= 0x60 && vk <= 0x69) ? shortcut - 0x60 + 0x30 : shortcut;
        EXPECT_EQ(text.fromText(text.toText(shortcut)), expected)
            << "key " << vk << " named " << text.toText(shortcut).toStdString();
    }
    EXPECT_GT(named, 100);
}

TEST(LinuxKeyNamesTest, NamesWithoutDisplay)
{
    const LinuxKeyNames names;
    EXPECT_EQ(names.name(0x6A), QStringLiteral("Num *"));
    EXPECT_EQ(names.name(0xBD), QStringLiteral("-"));
    EXPECT_EQ(names.name(0x6D), QStringLiteral("Num -"));
    EXPECT_EQ(names.name(0x11), QStringLiteral("Ctrl"));
    EXPECT_TRUE(names.name(0xFF).isEmpty());
}

} // namespace
