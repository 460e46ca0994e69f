#pragma once

#include "GlobalHotkey.h"

#include <QObject>
#include <QPointer>

#include <functional>

class Hotkeys;
class Interaction;
class QWindow;
class Settings;

// The global hotkey as a service of the program: each press summons the main window, at the
// pointer when the settings say so, and the window, once on the screen, asks the platform
// for the keyboard focus on behalf of the press.
//
// The grab follows the settings: made at start-up while the hotkey is used, released when it
// is switched off and made again when it is switched on, made again with the combination set
// when that is applied ("変更", "OK"); a combination merely typed into the settings is not
// grabbed. A combination another program holds simply does not work; nothing is said.
class Summoner : public QObject
{
    Q_OBJECT

public:
    Summoner(Hotkeys &hotkeys, Settings &settings, Interaction &interaction,
             QObject *parent = nullptr);
    ~Summoner() override;

    // What a press brings: the summon (true: to the pointer), and the window it shows, which
    // is to take the focus. Without them a press does nothing.
    void setTarget(std::function<void(bool atPointer)> summon, QWindow &window);
    // Start-up: the hotkey grabbed while it is to be used.
    void start();

signals:
    // The desktop bound the hotkey itself (a Wayland portal): what it bound, in its own
    // words, or empty when it bound none.
    void boundByDesktop(const QString &trigger);
    // The desktop binds no hotkey for programs (a Wayland desktop without the portal).
    void desktopBindsNoHotkeys();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int HotkeyId = 1;

    bool onPress();
    void useHotkey(bool use);
    void applyHotkey(int shortcut);
    // The focus asked for the window now that it is on the screen, or once it is.
    void activateWhenExposed();

    Hotkeys &m_hotkeys;
    Settings &m_settings;
    Interaction &m_interaction;
    GlobalHotkey m_globalHotkey;
    std::function<void(bool atPointer)> m_summon;
    QPointer<QWindow> m_window;
};
