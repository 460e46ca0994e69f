// The hotkey's text in the settings file, with the key names of the Linux layout table. The
// input is the text; its first two bytes are also taken as a stored 16-bit shortcut value.

#include "FuzzSupport.h"

#include "base/ShiftJis.h"
#include "platform/linux/LinuxKeyNames.h"
#include "settings/ShortcutText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const LinuxKeyNames keyNames;
    static const ShortcutText shortcuts(keyNames);

    const QString text = QString::fromUtf8(Fuzz::bytes(data, size));
    const int parsed = shortcuts.fromText(text);
    FUZZ_CHECK(parsed >= 0 && parsed <= 0xFFFF);
    // Letter case does not matter.
    if (ShiftJis::isAscii(text)) {
        FUZZ_CHECK(shortcuts.fromText(text.toLower()) == parsed);
        FUZZ_CHECK(shortcuts.fromText(text.toUpper()) == parsed);
    }
    // A shortcut read from the file is written back as text that reads as the same shortcut.
    if (parsed != 0) {
        const QString written = shortcuts.toText(parsed);
        FUZZ_CHECK(!written.isEmpty());
        FUZZ_CHECK(shortcuts.fromText(written) == parsed);
    }

    // Any stored value with a text of its own survives a round through the file, modifiers
    // included; a key with two codes (the number pad's digits) may come back by the other.
    if (size >= 2) {
        const int stored = data[0] | data[1] << 8;
        const QString written = shortcuts.toText(stored);
        if (!written.isEmpty()) {
            const int back = shortcuts.fromText(written);
            FUZZ_CHECK(back != 0);
            FUZZ_CHECK((back & ~ShortcutText::KeyMask) == (stored & ~ShortcutText::KeyMask));
            FUZZ_CHECK(shortcuts.toText(back) == written);
        }
    }
    return 0;
}
