#pragma once

#include "platform/Hotkeys.h"

#include <QByteArray>
#include <QList>
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>

class QDBusMessage;
struct PortalShortcut;
class WindowFrame;

// The hotkey on a Wayland desktop, through the freedesktop GlobalShortcuts portal: the
// combination is asked of the desktop as the launcher's one shortcut, which the desktop binds
// (perhaps to another combination, perhaps after asking the user) and reports pressed. The
// press comes with the desktop's activation token where it gives one, by which the window
// takes the focus. Everything goes by the bus without waiting, so start-up is not held up.
//
// The shortcut is asked for both as the interface defines (BindShortcuts) and as KDE Plasma
// 5.27 needs (in CreateSession's options); the program's app id is registered first where the
// portal has the registry. A session binds once: a new combination is asked of the desktop's
// own shortcut settings where the portal can open them (version 2), else of a new session. Where
// the portal has no GlobalShortcuts (sway; GNOME before 48), or there is no portal, nothing is
// grabbed and the first grab says how to bind the summon command instead. A portal that
// leaves the bus and comes back (the desktop restarted) is asked again.
class PortalHotkeys : public QObject, public Hotkeys
{
    Q_OBJECT

public:
    // The frame brings the window forward with the press's token.
    explicit PortalHotkeys(WindowFrame &frame, QDBusConnection bus = QDBusConnection::sessionBus());
    ~PortalHotkeys() override;

    // Asks the desktop for the combination: true when asked (the answer comes later), false
    // when the identifier is taken already, the key has no name, or there is no portal to ask.
    bool grab(int id, int virtualKey, int modifiers) override;
    bool release(int id) override;
    void activate(QWindow &window) override;

    // The freedesktop shortcut format of a combination ("CTRL+ALT+space"): the modifiers,
    // then the key's XKB name; empty for a key without one.
    static QString triggerOf(int virtualKey, int modifiers);

    // What the desktop bound, in its own words; empty before its answer and after a refusal.
    const QString &boundTrigger() const { return m_boundTrigger; }
    // The portal answers none of it (no GlobalShortcuts, or no portal at all).
    bool unavailable() const { return m_unavailable; }

private slots:
    void onActivated(const QDBusMessage &message);
    void onShortcutsChanged(const QDBusMessage &message);

private:
    struct Wish
    {
        int id;
        QString trigger;
    };

    QList<PortalShortcut> asked() const;
    void open();
    void configure();
    void createSession(int round);
    void bind(int round);
    void closeSession();
    void answerBound(const QString &trigger);
    void giveUp();

    WindowFrame &m_frame;
    QDBusConnection m_bus;
    std::optional<Wish> m_wish;
    int m_round = 0; // each opening; answers of an earlier one are dropped
    uint m_version = 0;
    QString m_session;
    QString m_boundTrigger;
    QByteArray m_token; // the last press's, until the window takes the focus
    bool m_unavailable = false;
    bool m_closing = false; // released; the session is closed once the caller is done
    bool m_told = false;
};
