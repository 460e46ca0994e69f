#pragma once

#include "platform/Icons.h"

#include <QList>
#include <QPixmap>
#include <QString>

// Records every extraction and answers the same pixmap to all of them.
class FakeIcons : public Icons
{
public:
    struct Call
    {
        QString file;
        int index = 0;
        qreal devicePixelRatio = 1;
        bool operator==(const Call &) const = default;
    };

    QPixmap extract(const QString &file, int index, qreal devicePixelRatio) override;

    QList<Call> calls;
    QPixmap answer; // null by default: no icon found
};
