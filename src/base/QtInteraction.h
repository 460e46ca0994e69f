#pragma once

#include "Interaction.h"

// The real message boxes and modal windows.
class QtInteraction : public Interaction
{
public:
    Button warning(const QString &text, const QList<Button> &buttons) override;
    void notice(const QString &text) override;
    void error(const QString &text) override;
    int execModal(QDialog &dialog) override;
};
