#pragma once

#include "platform/KeyNames.h"

// Key names from the virtual-key table and Qt's portable key texts, so they are the same
// with or without a display. Keypad keys are told apart from their main-block twins by
// "Num ", so that every name leads back to one key.
class LinuxKeyNames : public KeyNames
{
public:
    QString name(int vk) const override;
};
