#pragma once

#include "platform/WindowFrame.h"

#include <QList>
#include <QPoint>

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
    // At once, or held for the test to call when it holds frames.
    void afterLastFrame(QWindow &, std::function<void()> then) override
    {
        if (holdFrames)
            heldFrames.append(std::move(then));
        else
            then();
    }

    Abilities allowed;
    int borderOnlyRequests = 0;
    QList<QByteArray> broughtForward; // the tokens, one per request
    bool holdFrames = false;
    QList<std::function<void()>> heldFrames;

};
