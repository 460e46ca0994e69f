#pragma once

#include "SettingsKeys.h"

#include <QString>

// The values that one window's controls hold and other windows read at the moment of use.
// The window that owns a control writes its value here on every change of the control, so a
// reader sees exactly what the control shows without reaching into that window.
struct LiveSettings
{
    // The settings dialog's switches and hotkey field; their designs until the dialog has
    // read the settings file.
    bool appearAtPointer = SettingsKeys::MousePoint.defaultValue;
    bool useHotkey = SettingsKeys::HookHotKey.defaultValue;
    bool showTime = SettingsKeys::TimeStamp.defaultValue;
    bool stayOnTop = SettingsKeys::StayOnTop.defaultValue;
    int hotkey = 0;

    // The skin editor's transparent colour (0x00BBGGRR), black until it picks one: what a
    // skin without TransparentColor cuts away.
    quint32 editorTransparentColour = 0;

    // The special items dialog's five names as last read from the settings file or
    // registered, not as being typed: a half-typed or declined name must not power off.
    // The dialog's design until it has read the settings file.
    QString myComputerName = SettingsKeys::MyComName.defaultValue.toString();
    QString myDocumentsName = SettingsKeys::MydocName.defaultValue.toString();
    QString recycleBinName = SettingsKeys::DustBoxName.defaultValue.toString();
    QString shutdownName = SettingsKeys::ShutdownName.defaultValue.toString();
    QString rebootName = SettingsKeys::ReBootName.defaultValue.toString();
};
