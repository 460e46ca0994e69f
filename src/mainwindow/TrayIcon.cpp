#include "TrayIcon.h"

#include "base/Guard.h"
#include "ui/ProgramIcon.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");

} // namespace

TrayIcon::TrayIcon(Interaction &interaction, QObject *parent)
    : QObject(parent)
    , m_interaction(interaction)
    , m_owner(parent)
    // Elsewhere the toolkit's icon docks by itself in a notification area that comes later.
    , m_waitsForWatcher(QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    if (!m_waitsForWatcher) {
        makeIcon();
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto *watcher = new QDBusServiceWatcher(WatcherService, bus,
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayIcon::askForHost);
    // A watcher that is there before its host says when the host comes.
    bus.connect(WatcherService, WatcherPath, WatcherService,
                QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(askForHost()));
}

void TrayIcon::makeIcon()
{
    m_icon = new QSystemTrayIcon(programIcon(), m_owner);
    m_icon->setObjectName(QStringLiteral("trayIcon"));
    m_icon->setToolTip(QStringLiteral("tobio launcher"));
    if (m_menu)
        m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                guarded(m_interaction, [&] {
                    if (reason == QSystemTrayIcon::Trigger)
                        emit clicked();
                    else if (reason == QSystemTrayIcon::Context)
                        emit menuRequested();
                });
            });
}

void TrayIcon::askForHost()
{
    if (!m_wanted || m_icon)
        return;
    QDBusMessage get = QDBusMessage::createMethodCall(
        WatcherService, WatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << WatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto *call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(get), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        onHostAnswer(call->reply());
    });
}

void TrayIcon::onHostAnswer(const QDBusMessage &reply)
{
    // No watcher yet, or one without a host: its coming, or its host's, asks again.
    if (m_icon || reply.type() != QDBusMessage::ReplyMessage
        || !reply.arguments().value(0).value<QDBusVariant>().variant().toBool())
        return;
    makeIcon();
    m_icon->show();
}

void TrayIcon::show()
{
    m_wanted = true;
    if (m_icon)
        m_icon->show();
    else
        askForHost();
}

void TrayIcon::setMenu(QMenu *menu)
{
    m_menu = menu;
    if (m_icon)
        m_icon->setContextMenu(menu);
}

bool TrayIcon::shown() const
{
    return m_icon && m_icon->isVisible();
}
