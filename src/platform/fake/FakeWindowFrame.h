#pragma once

#include "platform/WindowFrame.h"

#include <QList>

// Counts the requests; frames nothing; allows what the test says.
class FakeWindowFrame : public WindowFrame
{
public:
    Abilities abilities() const override { return allowed; }
    void setBorderOnly(QWindow &) override { ++borderOnlyRequests; }
    bool startMove(QWindow &, QPoint) override { return false; }
    void bringForward(QWindow &, const QByteArray &activationToken) override
    {
        broughtForward.append(activationToken);
    }

    Abilities allowed;
    int borderOnlyRequests = 0;
    QList<QByteArray> broughtForward; // the tokens, one per request

};
