#pragma once

#include "platform/Hotkeys.h"

#include <QList>
#include <QMap>
#include <QSet>

// Holds grabs in a table; a test presses combinations and marks some as taken by others.
class FakeHotkeys : public Hotkeys
{
public:
    struct Combination
    {
        int virtualKey;
        int modifiers;
        bool operator==(const Combination &) const = default;
    };

    bool grab(int id, int virtualKey, int modifiers) override;
    bool release(int id) override;
    void activate(QWindow &window) override;

    // Reports a press of whatever is grabbed under the identifier, as the desktop would;
    // answers whether the handler wanted the focus for a window.
    bool press(int id) const { return reportPress(id); }
    // Reports what the desktop bound under the identifier, as a portal would.
    void bind(int id, const QString &trigger) const { reportBound(id, trigger); }
    // Reports that the desktop binds nothing for programs, as a desktop without a portal.
    void bindNothingForPrograms(int id) const { reportNoShortcuts(id); }

    QMap<int, Combination> grabbed;
    QList<Combination> takenByOthers;
    int focusRequests = 0;        // activate() calls
    QWindow *activated = nullptr; // the window of the last
};
