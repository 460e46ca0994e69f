#pragma once

#include "platform/WindowFrame.h"

// Counts the requests; frames nothing; allows what the test says.
class FakeWindowFrame : public WindowFrame
{
public:
    Abilities abilities() const override { return allowed; }
    void setBorderOnly(QWindow &) override { ++borderOnlyRequests; }
    bool startMove(QWindow &, QPoint) override { return false; }

    Abilities allowed;
    int borderOnlyRequests = 0;
};
