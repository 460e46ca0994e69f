#pragma once

#include <QDialog>

class GlobalHotkey;
class HotkeyEdit;
class QCheckBox;
struct AppContext;
struct LiveSettings;

// The settings dialog: the global hotkey and four switches of the main window's behaviour.
// Its controls publish their values to the live settings on every change, so that a change
// takes effect at once whether or not it is confirmed; "OK" and "変更" write the file.
// It owns the global hotkey, whose press asks for the main window by summoned().
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SettingsDialog(AppContext &context, LiveSettings &liveSettings, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // Start-up: the hotkey and the switches from the settings file, and the hotkey grabbed
    // while it is to be used. The dialog never reloads them.
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
    static constexpr int HotkeyId = 1;

    AppContext &m_context;
    GlobalHotkey *m_globalHotkey;
    QCheckBox *m_useHotkey;
    HotkeyEdit *m_hotkey;
    QCheckBox *m_appearAtCursor;
    QCheckBox *m_showTime;
    QCheckBox *m_stayOnTop;
};
