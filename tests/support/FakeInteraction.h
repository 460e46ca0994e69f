#pragma once

#include "base/Interaction.h"

#include <QStringList>

#include <functional>

// Records every message box and answers them from a queue; modal windows are answered by
// a callback, so no nested event loop ever runs in a test.
class FakeInteraction : public Interaction
{
public:
    Button warning(const QString &text, const QList<Button> &buttons) override;
    void notice(const QString &text) override;
    void error(const QString &text) override;
    int execModal(QDialog &dialog) override;

    QStringList warnings;
    QStringList notices;
    QStringList errors;
    QList<Button> answers; // taken in turn; Ok when empty
    std::function<int(QDialog &)> onModal;
    // Runs while an error box would be open, as the user's other clicks could.
    std::function<void()> onError;
    int modalCount = 0;
};
