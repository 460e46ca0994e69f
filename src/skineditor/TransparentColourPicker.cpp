#include "TransparentColourPicker.h"

#include "skins/SkinColours.h"

#include "base/Error.h"
#include "base/Messages.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TransparentColourPicker::TransparentColourPicker()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("transparentColourPicker"));
    setWindowTitle(QStringLiteral("透過色にしたい場所をクリック"));
}

void TransparentColourPicker::showBitmap(const QString &path, QPoint corner, QWidget *owner)
{
    QImageReader reader(path);
    QImage picture = reader.read();
    if (picture.isNull())
        throw Error(Messages::cannotOpenFile(path, reader.errorString()));
    m_picture = std::move(picture);
    if (parentWidget() != owner)
        setParent(owner, windowFlags());
    resize(m_picture.size());
    move(corner);
    show();
    raise();
    activateWindow();
}

QPoint TransparentColourPicker::pictureOffset() const
{
    return {std::max(0, (width() - m_picture.width()) / 2),
            std::max(0, (height() - m_picture.height()) / 2)};
}

std::optional<QPoint> TransparentColourPicker::pixelAt(QPoint client) const
{
    const QPoint pixel = client - pictureOffset();
    if (!m_picture.rect().contains(pixel))
        return std::nullopt;
    return pixel;
}

void TransparentColourPicker::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(pictureOffset(), m_picture);
}

void TransparentColourPicker::mousePressEvent(QMouseEvent *event)
{
    if (const std::optional<QPoint> pixel = pixelAt(event->position().toPoint()))
        emit picked(SkinColours::fromColor(m_picture.pixelColor(*pixel)));
}

void TransparentColourPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        emit picked(SkinColours::Black);
    else
        QWidget::keyPressEvent(event);
}
