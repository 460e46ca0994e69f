#include "ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap draw(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    QPainterPath box;
    box.addRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.fillPath(box, QColor(0x2a, 0x6f, 0xd6));
    // A prompt ">" and an underscore: a line that takes commands.
    QPen pen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.drawPolyline(QPolygonF({QPointF(4, 4.5), QPointF(7.5, 8), QPointF(4, 11.5)}));
    p.drawLine(QPointF(9, 11.5), QPointF(12.5, 11.5));
    return pixmap;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 22, 32, 48})
        icon.addPixmap(draw(size));
    return icon;
}
