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
