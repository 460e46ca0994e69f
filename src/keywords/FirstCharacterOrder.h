#pragma once

#include <QCollator>
#include <QHash>
#include <QString>

// The order of first characters that places a new keyword's group: Japanese collation
// with letter case ignored, so digits come before letters and kana after Latin.
class FirstCharacterOrder
{
public:
    FirstCharacterOrder();

    // Whether `a` sorts strictly before `b`.
    bool before(QStringView a, QStringView b) const;

private:
    QCollator m_collator;
};
