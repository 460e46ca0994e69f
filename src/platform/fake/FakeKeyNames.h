#pragma once

#include "platform/KeyNames.h"

#include <QHash>

// Answers from a map the test fills; every other key has no name.
class FakeKeyNames : public KeyNames
{
public:
    FakeKeyNames() = default;
    explicit FakeKeyNames(QHash<int, QString> names);

    QString name(int vk) const override;
    int virtualKey(quint32 nativeScanCode) const override;

    QHash<int, QString> names;
    QHash<quint32, int> keys; // native scan code to virtual key
};
