#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

class QDBusMessage;

// One call to a desktop portal that answers through a request object: the caller names the
// request by a token in the call's options, and the portal emits Response on
// /org/freedesktop/portal/desktop/request/<sender>/<token>, which is listened to (from the
// portal alone) before the call is made. Answers once (response 0 is success; a failed call
// counts as 2), then goes. A request no longer wanted is closed, so that the desktop takes back
// whatever it is asking the user.
class PortalRequest : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<void(uint response, const QVariantMap &results)>;

    // A new token for the options, and the request listening for its answer.
    PortalRequest(const QDBusConnection &bus, Answer answer, QObject *parent);
    // Closes the request if it is still unanswered.
    ~PortalRequest() override;

    const QString &token() const { return m_token; }
    // Makes the call, whose options name the token; a call that fails outright is answered
    // as a failure.
    void send(const QDBusMessage &call);
    // Asks the portal to close the request; an answer already on its way is still taken.
    void abandon();

private slots:
    void onResponse(uint response, const QVariantMap &results);

private:
    // A copy: the request may outlive its caller's connection object (a child is deleted after
    // its parent's members).
    QDBusConnection m_bus;
    QString m_token;
    QString m_path;
    Answer m_answer;
    bool m_closed = false;
};
