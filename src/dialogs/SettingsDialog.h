#pragma once

#include "ui/ReleasingDialog.h"

class HotkeyEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class Settings;
struct AppContext;

// The settings dialog: the global hotkey, four switches of the main window's behaviour, and
// below them what the line reaches where no keyword completes (readings, applications).
// Its controls show the settings model as loaded and change it on every change of theirs, so
// that a change takes effect at once whether or not it is confirmed; "OK" and "変更" write
// the file; both apply the hotkey as set (whoever grabs it grabs it again).
class SettingsDialog : public ReleasingDialog
{
    Q_OBJECT

public:
    SettingsDialog(AppContext &context, Settings &settings, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // Shows the dialog modally with its outer corner at the position.
    void openAt(QPoint position);

    void applyHotkey();
    void confirm();

    // The desktop bound the hotkey itself: the combination it bound (or that it bound none)
    // is shown in place of the command to bind.
    void showBoundByDesktop(const QString &trigger);
    // The desktop binds no hotkey for programs: said, with the command to bind instead.
    void showNoHotkeyForPrograms();

signals:
    // "OK" with always-on-top ticked.
    void stayOnTopConfirmed();

private:
    // The hotkey field and the pointer switch follow whether the hotkey is used.
    void showHotkeyUse(bool use);
    // What the desktop decides itself greys out, with a tip that says why; where it places
    // windows, a line says what to bind in its shortcuts (or what the desktop bound, and that
    // another combination opens its settings). The settings stay as they are.
    void showWhatTheDesktopDecides();

    AppContext &m_context;
    Settings &m_settings;
    const bool m_placesItself;
    QLabel *m_summonHint = nullptr;
    QLineEdit *m_summonLine = nullptr;
    QLabel *m_summonNote = nullptr;
    QString m_summonCommand; // the line to bind in the desktop's shortcut settings
    QCheckBox *m_useHotkey;
    HotkeyEdit *m_hotkey;
    QCheckBox *m_appearAtCursor;
    QCheckBox *m_showTime;
    QCheckBox *m_stayOnTop;
    QCheckBox *m_readings;
    QCheckBox *m_applications;
};
