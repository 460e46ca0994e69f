#include "FakeKeyNames.h"

#include <utility>

FakeKeyNames::FakeKeyNames(QHash<int, QString> names)
    : names(std::move(names))
{
}

QString FakeKeyNames::name(int vk) const
{
    return names.value(vk);
}

int FakeKeyNames::virtualKey(quint32 nativeScanCode) const
{
    return keys.value(nativeScanCode);
}
