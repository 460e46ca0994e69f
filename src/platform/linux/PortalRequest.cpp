#include "PortalRequest.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {

int lastToken = 0;

} // namespace

PortalRequest::PortalRequest(QDBusConnection &bus, Answer answer, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_token(QStringLiteral("tblaunch%1").arg(++lastToken))
    , m_answer(std::move(answer))
{
    // The sender's unique name without its colon, dots as underscores.
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    m_path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, m_token);
    m_bus.connect(QString(), m_path, QStringLiteral("org.freedesktop.portal.Request"),
                  QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
}

PortalRequest::~PortalRequest()
{
    m_bus.disconnect(QString(), m_path, QStringLiteral("org.freedesktop.portal.Request"),
                     QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
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

void PortalRequest::onResponse(uint response, const QVariantMap &results)
{
    if (!m_answer)
        return;
    const Answer answer = std::move(m_answer);
    m_answer = nullptr;
    deleteLater();
    answer(response, results);
}
