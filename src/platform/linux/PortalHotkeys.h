#pragma once

#include "platform/Hotkeys.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
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
// One session serves the program's life, under the same handle token at every start, which is
// what KDE Plasma 5.27 names the shortcut's owner after in its settings. The shortcut is asked
// for in CreateSession's options, which Plasma 5.27 binds, and then only where the session's
// list lacks it, by BindShortcuts, which GNOME 48 binds after asking the user (and Plasma 5.27
// answers by opening its System Settings: never called for what is bound already). The same
// combination applied again asks nothing; another one, which the desktop does not hold, opens
// the desktop's own shortcut settings (ConfigureShortcuts from version 2, else BindShortcuts).
// The app id is registered first where the portal has the registry. Where the portal has no
// GlobalShortcuts (sway; GNOME before 48), or there is no portal, nothing is grabbed and that is
// reported. A portal that leaves the bus and comes back (the desktop restarted) is asked again.
// Only the portal's own signals count.
class PortalHotkeys : public QObject, public Hotkeys
{
    Q_OBJECT

public:
    // The frame brings the window forward with the press's token.
    explicit PortalHotkeys(WindowFrame &frame, QDBusConnection bus = QDBusConnection::sessionBus());
    ~PortalHotkeys() override;

    // Asks the desktop for the combination: true when asked (the answer comes later), false
    // when the identifier is taken already, the key has no name, or there is no portal to ask.
    // Released and grabbed again at once (a combination applied), the session stays.
    bool grab(int id, int virtualKey, int modifiers) override;
    bool release(int id) override;
    void activate(QWindow &window) override;

    // The freedesktop shortcut format of a combination ("CTRL+ALT+space"): the modifiers,
    // then the key's XKB name; empty for a key without one.
    static QString triggerOf(int virtualKey, int modifiers);
    // Whether the desktop's words for what it bound ("Ctrl+Alt+K", several joined by ", ")
    // name the combination of a trigger.
    static bool describes(const QString &description, const QString &trigger);

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
    void createSession(int round);
    void list(int round);
    void bind(int round);
    void configure(int round);
    void shutDown();
    void closeSession(const QString &session);
    void abandonRequests();
    void answerBound(const QString &trigger);
    void giveUp();

    WindowFrame &m_frame;
    QDBusConnection m_bus;
    std::optional<Wish> m_wish;
    int m_round = 0; // each opening; answers of an earlier one are dropped
    uint m_version = 0;
    QString m_session;
    bool m_opening = false;
    QString m_asked; // the combination the desktop was last asked for
    QString m_boundTrigger;
    bool m_answered = false; // the desktop said what it bound
    QByteArray m_token;      // the last press's, until the window takes the focus
    bool m_unavailable = false;
    bool m_closing = false; // released; shut down once the caller is done
    bool m_told = false;
};
