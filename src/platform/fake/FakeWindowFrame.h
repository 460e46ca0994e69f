#pragma once

#include "platform/WindowFrame.h"

// Counts the requests; frames nothing.
class FakeWindowFrame : public WindowFrame
{
public:
    void setBorderOnly(QWindow &) override { ++borderOnlyRequests; }

    int borderOnlyRequests = 0;
};
