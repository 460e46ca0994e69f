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

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Interface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString ShortcutId = QStringLiteral("summon");
// The session's handle token: KDE Plasma 5.27 names the shortcut's owner after it, so it is the
// same at every start and is the program's name in System Settings.
const QString SessionToken = QStringLiteral("tblaunch");

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
// a(sa{sv}); nothing when it is not among them, empty when it is there without a key.
std::optional<QString> findTrigger(const QVariant &shortcuts)
{
    for (const PortalShortcut &shortcut : qdbus_cast<QList<PortalShortcut>>(shortcuts))
        if (shortcut.id == ShortcutId)
            return shortcut.properties.value(QStringLiteral("trigger_description")).toString();
    return std::nullopt;
}

QString triggerIn(const QVariant &shortcuts)
{
    return findTrigger(shortcuts).value_or(QString());
}

// A combination as a set of lower-case names, the key last: "ctrl", "alt", "k".
QStringList combinationWords(const QString &text)
{
    QStringList words = text.toLower().remove(u' ').split(u'+', Qt::SkipEmptyParts);
    for (QString &word : words)
        if (word == QLatin1String("control"))
            word = QStringLiteral("ctrl");
    if (words.size() > 1) {
        const QString key = words.takeLast();
        words.sort();
        words << key;
    }
    return words;
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
    // From the portal only: any program on the bus could fake a press or a binding. The
    // arguments are read from the message: a slot that takes them typed was refused in the
    // program (Qt 6.4).
    m_bus.connect(Service, Path, Interface, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusMessage)));
    m_bus.connect(Service, Path, Interface, QStringLiteral("ShortcutsChanged"), this,
                  SLOT(onShortcutsChanged(QDBusMessage)));
    auto *watcher =
        new QDBusServiceWatcher(Service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &owner) {
                // Gone: its sessions and requests with it. Back: asked again.
                ++m_round;
                m_session.clear();
                m_opening = false;
                m_asked.clear();
                qDeleteAll(findChildren<PortalRequest *>());
                if (!owner.isEmpty() && m_wish)
                    open();
            });
}

PortalHotkeys::~PortalHotkeys()
{
    // Requests still open (the desktop asking the user) are closed as they go, with the
    // children.
    closeSession(m_session);
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

bool PortalHotkeys::describes(const QString &description, const QString &trigger)
{
    const QStringList wanted = combinationWords(trigger);
    const QStringList bound = description.split(QStringLiteral(", "));
    return !wanted.isEmpty()
           && std::any_of(bound.begin(), bound.end(), [&wanted](const QString &one) {
                  return combinationWords(one) == wanted;
              });
}

bool PortalHotkeys::grab(int id, int virtualKey, int modifiers)
{
    const QString trigger = triggerOf(virtualKey, modifiers);
    if (m_wish || trigger.isEmpty())
        return false;
    if (m_unavailable) {
        giveUp();
        reportNoShortcuts(id);
        return false;
    }
    m_wish = Wish{id, trigger};
    if (!std::exchange(m_closing, false)) {
        open();
        return true;
    }
    // Released just now and grabbed again ("OK", "変更"): the session stays. The same
    // combination asks the desktop nothing; another is asked of the open session, or of the
    // one being opened once it is.
    if (trigger == m_asked) {
        if (m_answered)
            reportBound(id, m_boundTrigger);
    } else if (!m_session.isEmpty()) {
        list(m_round);
    } else if (!m_opening) {
        open();
    }
    return true;
}

bool PortalHotkeys::release(int id)
{
    if (!m_wish || m_wish->id != id)
        return false;
    m_wish.reset();
    // Shut down once the caller is done, unless it grabs again right away.
    m_closing = true;
    QTimer::singleShot(0, this, [this] {
        if (std::exchange(m_closing, false))
            shutDown();
    });
    return true;
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
// portal keeps a registry, then opens the session.
void PortalHotkeys::open()
{
    const int round = ++m_round;
    m_opening = true;
    QDBusMessage version = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    version << Interface << QStringLiteral("version");
    callThen(m_bus, version, this, [this, round](const QDBusMessage &reply) {
        if (round != m_round)
            return;
        if (reply.type() == QDBusMessage::ErrorMessage) {
            m_opening = false;
            m_unavailable = true;
            giveUp();
            if (m_wish)
                reportNoShortcuts(m_wish->id);
            return;
        }
        m_unavailable = false;
        m_version = reply.arguments().value(0).value<QDBusVariant>().variant().toUInt();
        QDBusMessage registration = portalCall(
            QStringLiteral("org.freedesktop.host.portal.Registry"), QStringLiteral("Register"));
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
    m_asked = m_wish->trigger;
    auto *request = new PortalRequest(
        m_bus,
        [this, round](uint response, const QVariantMap &results) {
            const QString session = stringOf(results.value(QStringLiteral("session_handle")));
            // Released meanwhile: a session opened all the same is not left open for good.
            if (round != m_round)
                return closeSession(session);
            m_opening = false;
            if (response != 0 || session.isEmpty())
                return answerBound({});
            m_session = session;
            list(round);
        },
        this);
    QDBusMessage call = portalCall(Interface, QStringLiteral("CreateSession"));
    call << QVariantMap{
        {QStringLiteral("handle_token"), request->token()},
        {QStringLiteral("session_handle_token"), SessionToken},
        // KDE Plasma 5.27 binds these, and ignores BindShortcuts's.
        {QStringLiteral("shortcuts"), QVariant::fromValue(asked())},
    };
    request->send(call);
}

// What the session holds decides: a shortcut it lacks is bound; one it has is kept, unless
// another combination was asked since the desktop was last asked, which the desktop's own
// settings are then opened for.
void PortalHotkeys::list(int round)
{
    auto *request = new PortalRequest(
        m_bus,
        [this, round](uint response, const QVariantMap &results) {
            if (round != m_round || !m_wish)
                return;
            const std::optional<QString> bound =
                response == 0 ? findTrigger(results.value(QStringLiteral("shortcuts")))
                              : std::nullopt;
            if (!bound)
                return bind(round);
            const bool another = m_wish->trigger != m_asked && !describes(*bound, m_wish->trigger);
            m_asked = m_wish->trigger;
            answerBound(*bound);
            if (another)
                m_version >= 2 ? configure(round) : bind(round);
        },
        this);
    QDBusMessage call = portalCall(Interface, QStringLiteral("ListShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session))
         << QVariantMap{{QStringLiteral("handle_token"), request->token()}};
    request->send(call);
}

void PortalHotkeys::bind(int round)
{
    m_asked = m_wish->trigger;
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
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariant::fromValue(asked())
         << QString() << QVariantMap{{QStringLiteral("handle_token"), request->token()}};
    request->send(call);
}

void PortalHotkeys::configure(int round)
{
    QDBusMessage call = portalCall(Interface, QStringLiteral("ConfigureShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QString() << QVariantMap();
    // The answer comes as ShortcutsChanged; a portal that will not, is asked to bind.
    callThen(m_bus, call, this, [this, round](const QDBusMessage &reply) {
        if (round == m_round && m_wish && reply.type() == QDBusMessage::ErrorMessage)
            bind(round);
    });
}

void PortalHotkeys::answerBound(const QString &trigger)
{
    m_boundTrigger = trigger;
    m_answered = true;
    if (m_wish)
        reportBound(m_wish->id, trigger);
}

// Released for good: the desktop's questions are taken back and the session closed.
void PortalHotkeys::shutDown()
{
    ++m_round;
    abandonRequests();
    closeSession(std::exchange(m_session, {}));
    m_opening = false;
    m_asked.clear();
    m_boundTrigger.clear();
    m_answered = false;
}

void PortalHotkeys::abandonRequests()
{
    for (PortalRequest *request : findChildren<PortalRequest *>())
        request->abandon();
}

void PortalHotkeys::closeSession(const QString &session)
{
    if (session.isEmpty())
        return;
    m_bus.asyncCall(QDBusMessage::createMethodCall(Service, session,
                                                   QStringLiteral("org.freedesktop.portal.Session"),
                                                   QStringLiteral("Close")));
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
    if (!m_wish || m_session.isEmpty() || session != m_session || shortcutId != ShortcutId)
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
