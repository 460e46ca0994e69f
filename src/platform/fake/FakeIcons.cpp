#include "FakeIcons.h"

QPixmap FakeIcons::extract(const QString &file, int index, qreal devicePixelRatio)
{
    calls.append({file, index, devicePixelRatio});
    return answer;
}
