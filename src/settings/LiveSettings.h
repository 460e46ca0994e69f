#pragma once

#include "SettingsKeys.h"

#include <QString>

// The values that one window's controls hold and other windows read at the moment of use.
// The window that owns a control writes its value here on every change of the control, so a
// reader sees exactly what the control shows without reaching into that window.
struct LiveSettings
{
    // The special items dialog's shutdown and reboot names; the dialog's design until it
    // has read the settings file.
    QString shutdownName = SettingsKeys::ShutdownName.defaultValue.toString();
    QString rebootName = SettingsKeys::ReBootName.defaultValue.toString();
};
