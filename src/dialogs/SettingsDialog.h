#pragma once

#include <QDialog>

class GlobalHotkey;
class HotkeyEdit;
class QCheckBox;
class Settings;
struct AppContext;

// The settings dialog: the global hotkey and four switches of the main window's behaviour.
// Its controls show the settings model as loaded and change it on every change of theirs, so
// that a change takes effect at once whether or not it is confirmed; "OK" and "変更" write
// the file. It owns the global hotkey, whose press asks for the main window by summoned().
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SettingsDialog(AppContext &context, Settings &settings, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // Start-up: the hotkey grabbed while it is to be used.
    void load();
    // Shows the dialog modally with its outer corner at the position.
    void openAt(QPoint position);
    // The window each press of the hotkey brings to the foreground.
    void setSummonedWindow(QWidget *window);

    void useHotkey(bool use);
    void applyHotkey();
    void confirm();
    void onHotkey();

signals:
    // The hotkey was pressed while in use: the main window comes, at the pointer or not.
    void summoned(bool atPointer);
    // "OK" with always-on-top ticked.
    void stayOnTopConfirmed();

private:
    // The hotkey field and the pointer switch follow whether the hotkey is used.
    void showHotkeyUse(bool use);

    static constexpr int HotkeyId = 1;

    AppContext &m_context;
    Settings &m_settings;
    GlobalHotkey *m_globalHotkey;
    QCheckBox *m_useHotkey;
    HotkeyEdit *m_hotkey;
    QCheckBox *m_appearAtCursor;
    QCheckBox *m_showTime;
    QCheckBox *m_stayOnTop;
};
