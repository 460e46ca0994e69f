#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

// Shows the chosen bitmap unscaled, centred when the window is wider than it; a press of any
// mouse button on the picture picks the colour of the pixel under the pointer as the colour
// to be cut away, Esc picks black. A press in the margin beside the picture picks nothing.
class TransparentColourPicker : public QWidget
{
    Q_OBJECT

public:
    TransparentColourPicker();

    // Loads the bitmap, sizes the client area to it and shows the window with its outer
    // corner at the position, as a dialog of the owner when there is one (a tiling desktop
    // then floats it at its size). A file that is no bitmap raises the open error.
    void showBitmap(const QString &path, QPoint corner, QWidget *owner);

    // The pixel of the picture under a client point, if the point lies on the picture.
    std::optional<QPoint> pixelAt(QPoint client) const;

signals:
    // A SkinColours value (0x00BBGGRR).
    void picked(quint32 colour);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPoint pictureOffset() const;

    QImage m_picture;
};
