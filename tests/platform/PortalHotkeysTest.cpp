#include "platform/linux/PortalHotkeys.h"

#include <gtest/gtest.h>

namespace {

// Combinations in the freedesktop shortcut format: the modifiers in the portal's order, then
// the key's XKB name.
TEST(PortalHotkeysTest, TriggersNameTheModifiersThenTheKey)
{
    using H = Hotkeys;
    const struct
    {
        int vk;
        int modifiers;
        const char *trigger;
    } cases[] = {
        {0x4B, H::Control | H::Alt, "CTRL+ALT+k"},
        {0x20, H::Control, "CTRL+space"},
        {0x70, H::Shift | H::Alt | H::Control, "CTRL+ALT+SHIFT+F1"},
        {0x31, 0, "1"},
        {0x60, H::Alt, "ALT+KP_0"},
        {0xBF, H::Control, "CTRL+slash"},
        {0x1C, H::Alt, "ALT+Henkan_Mode"},
        {0xFF, H::Control, ""}, // no such key
    };
    for (const auto &c : cases)
        EXPECT_EQ(PortalHotkeys::triggerOf(c.vk, c.modifiers), c.trigger) << c.trigger;
}

} // namespace
