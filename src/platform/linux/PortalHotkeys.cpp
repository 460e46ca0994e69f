#include "PortalHotkeys.h"

#include "PortalRequest.h"
#include "PortalShortcut.h"

#include "platform/VirtualKeys.h"
#include "platform/WindowFrame.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <utility>

namespace {

const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Interface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString ShortcutId = QStringLiteral("summon");

QDBusMessage portalCall(const QString &interface, const QString &method)
{
    return QDBusMessage::createMethodCall(Service, Path, interface, method);
}

// Calls, and hands the reply (or the error) to the answer once it comes.
template <typename Answer>
void callThen(QDBusConnection &bus, const QDBusMessage &call, QObject *context, Answer answer)
{
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, answer](QDBusPendingCallWatcher *) {
                         watcher->deleteLater();
                         answer(watcher->reply());
                     });
}

// The trigger the desktop describes for the launcher's shortcut among its shortcuts,
// a(sa{sv}); empty when it is not among them.
QString triggerIn(const QVariant &shortcuts)
{
    for (const PortalShortcut &shortcut : qdbus_cast<QList<PortalShortcut>>(shortcuts))
        if (shortcut.id == ShortcutId)
            return shortcut.properties.value(QStringLiteral("trigger_description")).toString();
    return {};
}

QString stringOf(const QVariant &value)
{
    // Documented as a string, sent by some as an object path.
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

PortalHotkeys::PortalHotkeys(WindowFrame &frame, QDBusConnection bus)
    : m_frame(frame)
    , m_bus(std::move(bus))
{
    PortalShortcut::registerType();
    // From whoever sends it, the session's path being checked. The arguments are read from
    // the message: a slot that takes them typed was refused in the program (Qt 6.4).
    m_bus.connect(QString(), Path, Interface, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusMessage)));
    m_bus.connect(QString(), Path, Interface, QStringLiteral("ShortcutsChanged"), this,
                  SLOT(onShortcutsChanged(QDBusMessage)));
    auto *watcher =
        new QDBusServiceWatcher(Service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &owner) {
                // Gone: its sessions with it. Back: asked again.
                m_session.clear();
                ++m_round;
                if (!owner.isEmpty() && m_wish)
                    open();
            });
}

PortalHotkeys::~PortalHotkeys()
{
    closeSession();
}

QString PortalHotkeys::triggerOf(int virtualKey, int modifiers)
{
    const VirtualKeys::Key *key = VirtualKeys::find(virtualKey);
    char name[64];
    if (!key || xkb_keysym_get_name(key->keysym, name, sizeof name) <= 0)
        return {};
    QString trigger;
    if (modifiers & Control)
        trigger += QStringLiteral("CTRL+");
    if (modifiers & Alt)
        trigger += QStringLiteral("ALT+");
    if (modifiers & Shift)
        trigger += QStringLiteral("SHIFT+");
    return trigger + QString::fromLatin1(name);
}

bool PortalHotkeys::grab(int id, int virtualKey, int modifiers)
{
    const QString trigger = triggerOf(virtualKey, modifiers);
    if (m_wish || trigger.isEmpty())
        return false;
    if (m_unavailable) {
        giveUp();
        return false;
    }
    m_wish = Wish{id, trigger};
    // Grabbed again at once after a release (another combination applied): a desktop that
    // binds a shortcut once for good (KDE Plasma) is asked to let the user change it, where
    // the portal can; otherwise a new session asks for the new combination.
    if (std::exchange(m_closing, false) && m_version >= 2 && !m_session.isEmpty())
        configure();
    else
        open();
    return true;
}

bool PortalHotkeys::release(int id)
{
    if (!m_wish || m_wish->id != id)
        return false;
    m_wish.reset();
    ++m_round;
    m_boundTrigger.clear();
    // Closed once the caller is done, unless it grabs again right away.
    m_closing = true;
    QTimer::singleShot(0, this, [this] {
        if (std::exchange(m_closing, false))
            closeSession();
    });
    return true;
}

void PortalHotkeys::configure()
{
    QDBusMessage call = portalCall(Interface, QStringLiteral("ConfigureShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QString() << QVariantMap();
    // The answer comes as ShortcutsChanged; a portal that will not, gets a new session.
    callThen(m_bus, call, this, [this, round = m_round](const QDBusMessage &reply) {
        if (round == m_round && reply.type() == QDBusMessage::ErrorMessage)
            open();
    });
}

void PortalHotkeys::activate(QWindow &window)
{
    const QByteArray token = std::exchange(m_token, {});
    if (!token.isEmpty() || window.isActive())
        return m_frame.bringForward(window, token);
    // Without a token: a window that has just appeared gets the focus from the compositor in
    // a moment; one that was on the screen already is brought forward by appearing anew.
    QTimer::singleShot(50, &window, [this, window = QPointer<QWindow>(&window)] {
        if (window && window->isVisible() && !window->isActive())
            m_frame.bringForward(*window, {});
    });
}

// The launcher's one shortcut, with the combination wished for.
QList<PortalShortcut> PortalHotkeys::asked() const
{
    return {{ShortcutId,
             {{QStringLiteral("description"), QStringLiteral("tobio launcher")},
              {QStringLiteral("preferred_trigger"), m_wish->trigger}}}};
}

// Asks whether the portal has the interface (its version), registers the app id where the
// portal keeps a registry, then opens a session.
void PortalHotkeys::open()
{
    closeSession();
    const int round = ++m_round;
    QDBusMessage version = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    version << Interface << QStringLiteral("version");
    callThen(m_bus, version, this, [this, round](const QDBusMessage &reply) {
        if (round != m_round)
            return;
        if (reply.type() == QDBusMessage::ErrorMessage) {
            m_unavailable = true;
            return giveUp();
        }
        m_unavailable = false;
        m_version = reply.arguments().value(0).value<QDBusVariant>().variant().toUInt();
        QDBusMessage registration =
            portalCall(QStringLiteral("org.freedesktop.host.portal.Registry"),
                       QStringLiteral("Register"));
        registration << QGuiApplication::desktopFileName() << QVariantMap();
        // Without the registry (before 1.20), there is nothing to register.
        callThen(m_bus, registration, this,
                 [this, round](const QDBusMessage &) { createSession(round); });
    });
}

void PortalHotkeys::createSession(int round)
{
    if (round != m_round || !m_wish)
        return;
    const QList<PortalShortcut> shortcuts = asked();
    auto *request = new PortalRequest(
        m_bus,
        [this, round](uint response, const QVariantMap &results) {
            if (round != m_round)
                return;
            m_session = stringOf(results.value(QStringLiteral("session_handle")));
            if (response != 0 || m_session.isEmpty())
                return answerBound({});
            bind(round);
        },
        this);
    QDBusMessage call = portalCall(Interface, QStringLiteral("CreateSession"));
    call << QVariantMap{
        {QStringLiteral("handle_token"), request->token()},
        {QStringLiteral("session_handle_token"), request->token()},
        // KDE Plasma 5.27 binds these, and ignores BindShortcuts's.
        {QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts)},
    };
    request->send(call);
}

void PortalHotkeys::bind(int round)
{
    const QList<PortalShortcut> shortcuts = asked();
    auto *request = new PortalRequest(
        m_bus,
        [this, round](uint response, const QVariantMap &results) {
            if (round != m_round)
                return;
            answerBound(response == 0 ? triggerIn(results.value(QStringLiteral("shortcuts")))
                                      : QString());
        },
        this);
    QDBusMessage call = portalCall(Interface, QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariant::fromValue(shortcuts)
         << QString() << QVariantMap{{QStringLiteral("handle_token"), request->token()}};
    request->send(call);
}

void PortalHotkeys::answerBound(const QString &trigger)
{
    m_boundTrigger = trigger;
    if (m_wish)
        reportBound(m_wish->id, trigger);
}

void PortalHotkeys::closeSession()
{
    if (m_session.isEmpty())
        return;
    m_bus.asyncCall(QDBusMessage::createMethodCall(Service, m_session,
                                                   QStringLiteral("org.freedesktop.portal.Session"),
                                                   QStringLiteral("Close")));
    m_session.clear();
}

void PortalHotkeys::giveUp()
{
    if (!std::exchange(m_told, true))
        std::fputs("tblaunch: this Wayland desktop offers no global shortcuts to programs: bind "
                   "\"tblaunch-summon --toggle\" to a key in its shortcut settings "
                   "(tblaunch --shortcut-help says how)\n",
                   stderr);
}

void PortalHotkeys::onActivated(const QDBusMessage &message)
{
    // (o session_handle, s shortcut_id, t timestamp, a{sv} options)
    const QVariantList arguments = message.arguments();
    const QString session = stringOf(arguments.value(0));
    const QString shortcutId = arguments.value(1).toString();
    const QVariantMap options = qdbus_cast<QVariantMap>(arguments.value(3));
    if (!m_wish || session != m_session || shortcutId != ShortcutId)
        return;
    m_token = options.value(QStringLiteral("activation_token")).toString().toUtf8();
    reportPress(m_wish->id);
}

void PortalHotkeys::onShortcutsChanged(const QDBusMessage &message)
{
    // (o session_handle, a(sa{sv}) shortcuts): the user changed them in the desktop's settings.
    const QVariantList arguments = message.arguments();
    if (m_wish && !m_session.isEmpty() && stringOf(arguments.value(0)) == m_session)
        answerBound(triggerIn(arguments.value(1)));
}
