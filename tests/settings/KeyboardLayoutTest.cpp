// The keys of real keyboard layouts, compiled from the system's keyboard data, read as the
// hotkey field and the grab read them: each key is one virtual key, by what it has unshifted,
// and that key's name in the settings file leads back to it.
#include "platform/VirtualKeys.h"
#include "platform/linux/LinuxKeyNames.h"
#include "settings/ShortcutText.h"

#include "CaseName.h"

#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace {

class Layout
{
public:
    Layout(const char *model, const char *layout)
    {
        const xkb_rule_names names{"evdev", model, layout, "", ""};
        m_keymap.reset(
            xkb_keymap_new_from_names(m_context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    }

    bool valid() const { return bool(m_keymap); }

    // The virtual key of the key with this name in the keyboard data ("AE01"); -1 if none.
    int virtualKey(const char *keyName) const
    {
        const xkb_keycode_t keycode = xkb_keymap_key_by_name(m_keymap.get(), keyName);
        if (keycode == XKB_KEYCODE_INVALID)
            return -1;
        return VirtualKeys::fromKeysyms(symbol(keycode, 0), symbol(keycode, 1));
    }

private:
    xkb_keysym_t symbol(xkb_keycode_t keycode, xkb_level_index_t level) const
    {
        const xkb_keysym_t *symbols = nullptr;
        return xkb_keymap_key_get_syms_by_level(m_keymap.get(), keycode, 0, level, &symbols) > 0
                   ? symbols[0]
                   : 0;
    }

    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> m_context{
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref};
    std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> m_keymap{nullptr, &xkb_keymap_unref};
};

const Layout &japanese()
{
    static const Layout layout("jp106", "jp");
    return layout;
}

struct KeyCase
{
    const char *name;
    const Layout &(*layout)();
    const char *key;
    int vk;
};

class KeyboardLayoutKey : public testing::TestWithParam<KeyCase>
{
};

TEST_P(KeyboardLayoutKey, IsTheVirtualKeyOfItsUnshiftedSign)
{
    const Layout &layout = GetParam().layout();
    ASSERT_TRUE(layout.valid());
    EXPECT_EQ(layout.virtualKey(GetParam().key), GetParam().vk);
}

const Layout &american()
{
    static const Layout layout("pc105", "us");
    return layout;
}

const Layout &french()
{
    static const Layout layout("pc105", "fr");
    return layout;
}

INSTANTIATE_TEST_SUITE_P(
    , KeyboardLayoutKey,
    testing::Values(
        // Japanese: digits under their Shift signs, and the signs where Japanese boards have
        // them, as their Windows keyboard names them.
        KeyCase{"Jp1UnderExclam", japanese, "AE01", 0x31},
        KeyCase{"Jp2UnderQuote", japanese, "AE02", 0x32},
        KeyCase{"JpMinus", japanese, "AE11", 0xBD}, KeyCase{"JpCircumflex", japanese, "AE12", 0xDE},
        KeyCase{"JpYen", japanese, "AE13", 0xDC}, KeyCase{"JpAt", japanese, "AD11", 0xC0},
        KeyCase{"JpBracketLeft", japanese, "AD12", 0xDB},
        KeyCase{"JpBracketRight", japanese, "BKSL", 0xDD},
        KeyCase{"JpSemicolonPlus", japanese, "AC10", 0xBB},
        KeyCase{"JpColon", japanese, "AC11", 0xBA}, KeyCase{"JpComma", japanese, "AB08", 0xBC},
        KeyCase{"JpPeriod", japanese, "AB09", 0xBE}, KeyCase{"JpSlash", japanese, "AB10", 0xBF},
        KeyCase{"JpRo", japanese, "AB11", 0xE2}, KeyCase{"JpZenkaku", japanese, "TLDE", 0xF3},
        KeyCase{"JpEisu", japanese, "CAPS", 0xF0}, KeyCase{"JpHenkan", japanese, "HENK", 0x1C},
        KeyCase{"JpMuhenkan", japanese, "MUHE", 0x1D},
        KeyCase{"JpHiraganaKatakana", japanese, "HKTG", 0xF2},
        KeyCase{"JpKeypad1", japanese, "KP1", 0x61},
        KeyCase{"JpKeypadDecimal", japanese, "KPDL", 0x6E},
        // American: the same virtual keys on other keys.
        KeyCase{"UsGrave", american, "TLDE", 0xC0}, KeyCase{"UsEqualPlus", american, "AE12", 0xBB},
        KeyCase{"UsSemicolon", american, "AC10", 0xBA},
        KeyCase{"UsApostrophe", american, "AC11", 0xDE},
        KeyCase{"UsBackslash", american, "BKSL", 0xDC},
        KeyCase{"UsLessGreater", american, "LSGT", 0xE2},
        // French: the digit row types signs unshifted.
        KeyCase{"Fr1UnderAmpersand", french, "AE01", 0x31},
        KeyCase{"FrSemicolonPeriod", french, "AB08", 0xBE}),
    CaseName());

// Every key of a Japanese 106/109 keyboard but the modifiers can be a hotkey: it has a virtual
// key, and its name in the settings file reads back as that key.
TEST(KeyboardLayout, EveryKeyOfAJapaneseKeyboardHasAVirtualKeyThatReadsBack)
{
    ASSERT_TRUE(japanese().valid());
    static const char *const keys[] = {
        "ESC",  "FK01", "FK02", "FK03", "FK04", "FK05", "FK06", "FK07", "FK08", "FK09", "FK10",
        "FK11", "FK12", "PRSC", "SCLK", "PAUS", "TLDE", "AE01", "AE02", "AE03", "AE04", "AE05",
        "AE06", "AE07", "AE08", "AE09", "AE10", "AE11", "AE12", "AE13", "BKSP", "TAB",  "AD01",
        "AD02", "AD03", "AD04", "AD05", "AD06", "AD07", "AD08", "AD09", "AD10", "AD11", "AD12",
        "RTRN", "CAPS", "AC01", "AC02", "AC03", "AC04", "AC05", "AC06", "AC07", "AC08", "AC09",
        "AC10", "AC11", "BKSL", "AB01", "AB02", "AB03", "AB04", "AB05", "AB06", "AB07", "AB08",
        "AB09", "AB10", "AB11", "LWIN", "MUHE", "SPCE", "HENK", "HKTG", "RWIN", "COMP", "INS",
        "HOME", "PGUP", "DELE", "END",  "PGDN", "UP",   "LEFT", "DOWN", "RGHT", "NMLK", "KPDV",
        "KPMU", "KPSU", "KP7",  "KP8",  "KP9",  "KPAD", "KP4",  "KP5",  "KP6",  "KP1",  "KP2",
        "KP3",  "KPEN", "KP0",  "KPDL"};
    const LinuxKeyNames names;
    const ShortcutText text(names);
    for (const char *key : keys) {
        const int vk = japanese().virtualKey(key);
        ASSERT_GT(vk, 0) << key;
        const int shortcut = ShortcutText::Ctrl | vk;
        const QString written = text.toText(shortcut);
        EXPECT_FALSE(written.isEmpty()) << key;
        // The number pad's digits share their names with the main digits.
        const int readBack = vk >= 0x60 && vk <= 0x69 ? shortcut - 0x60 + 0x30 : shortcut;
        EXPECT_EQ(text.fromText(written), readBack) << key << " " << written.toStdString();
    }
}

} // namespace
