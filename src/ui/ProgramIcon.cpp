#include "ProgramIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The key of packaging/tblaunch.svg, drawn into the rectangle.
void drawKey(QPainter &p, const QRect &rect)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.topLeft());
    p.scale(rect.width() / 64.0, rect.height() / 64.0);
    QPainterPath box;
    box.addRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.fillPath(box, QColor(0x2a, 0x6f, 0xd6));
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawEllipse(QPointF(21, 32), 9, 9);
    p.drawLine(QPointF(30, 32), QPointF(53, 32));
    p.drawLine(QPointF(45, 32), QPointF(45, 42));
    p.drawLine(QPointF(52, 32), QPointF(52, 40));
    p.restore();
}

// Drawn when asked, at the size asked: sharp in a notification area, a frame or a dialog,
// on any screen's scale, and nothing drawn before it is shown.
class KeyIconEngine : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        drawKey(*painter, rect);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QIconEngine *clone() const override { return new KeyIconEngine; }
};

} // namespace

QIcon programIcon()
{
    return QIcon(new KeyIconEngine);
}
