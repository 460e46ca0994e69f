#pragma once

#include "platform/WindowFrame.h"

// Counts the requests; frames nothing.
class FakeWindowFrame : public WindowFrame
{
public:
    void setBorderOnly(QWindow &) override { ++borderOnlyRequests; }
    bool startMove(QWindow &, QPoint) override { return false; }

    int borderOnlyRequests = 0;
};
