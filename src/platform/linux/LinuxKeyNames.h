#pragma once

#include "platform/KeyNames.h"

// Key names from the virtual-key table and Qt's portable key texts, so they are the same
// with or without a display. Keypad keys are told apart from their main-block twins by
// "Num ", so that every name leads back to one key. The keys pressed are read from the
// keyboard map of the display, which knows what each key has unshifted.
class LinuxKeyNames : public KeyNames
{
public:
    QString name(int vk) const override;
    // From the X keyboard map; 0 without an X display.
    int virtualKey(quint32 nativeScanCode) const override;
};
