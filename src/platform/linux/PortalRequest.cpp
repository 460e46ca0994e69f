#include "PortalRequest.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

#include <utility>

namespace {

const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Interface = QStringLiteral("org.freedesktop.portal.Request");

int lastToken = 0;

} // namespace

PortalRequest::PortalRequest(const QDBusConnection &bus, Answer answer, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_token(QStringLiteral("tblaunch%1").arg(++lastToken))
    , m_answer(std::move(answer))
{
    // The sender's unique name without its colon, dots as underscores.
    QString sender = m_bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    m_path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, m_token);
    // From the portal only: any program on the bus could send a Response of its own.
    m_bus.connect(Service, m_path, Interface, QStringLiteral("Response"), this,
                  SLOT(onResponse(uint, QVariantMap)));
}

PortalRequest::~PortalRequest()
{
    m_bus.disconnect(Service, m_path, Interface, QStringLiteral("Response"), this,
                     SLOT(onResponse(uint, QVariantMap)));
    if (m_answer)
        abandon();
}

void PortalRequest::send(const QDBusMessage &call)
{
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        if (watcher->isError())
            onResponse(2, {});
    });
}

void PortalRequest::abandon()
{
    if (!m_answer || std::exchange(m_closed, true))
        return;
    m_bus.asyncCall(
        QDBusMessage::createMethodCall(Service, m_path, Interface, QStringLiteral("Close")));
}

void PortalRequest::onResponse(uint response, const QVariantMap &results)
{
    if (!m_answer)
        return;
    const Answer answer = std::move(m_answer);
    m_answer = nullptr;
    deleteLater();
    answer(response, results);
}
