#include "ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The key of packaging/tblaunch.svg, drawn at the size asked for so that it is sharp there.
QPixmap draw(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QPainterPath box;
    box.addRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.fillPath(box, QColor(0x2a, 0x6f, 0xd6));
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawEllipse(QPointF(21, 32), 9, 9);
    p.drawLine(QPointF(30, 32), QPointF(53, 32));
    p.drawLine(QPointF(45, 32), QPointF(45, 42));
    p.drawLine(QPointF(52, 32), QPointF(52, 40));
    return pixmap;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(draw(size));
    return icon;
}
