#include "FirstCharacterOrder.h"

FirstCharacterOrder::FirstCharacterOrder()
    : m_collator(QLocale(QLocale::Japanese, QLocale::Japan))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

bool FirstCharacterOrder::before(QStringView a, QStringView b) const
{
    return m_collator.compare(a, b) < 0;
}
