#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QRegion>
#include <QWidget>

// The picture that gives the window it lies on its shape: every pixel of the picture that is
// not of the transparent colour stays part of the window, and everything else is cut away.
// Callers set the transparent colour, load a bitmap, build the region, show the control,
// size the window's client area to it and apply the region.
//
// The picture's top row and left column never belong to the region, whatever their colour.
class WindowShape : public QWidget
{
    Q_OBJECT

public:
    // Hidden, transparent for mouse events (presses on the picture reach the window), at
    // (0, 0), with no picture and no region.
    explicit WindowShape(QWidget *parent);

    // A SkinColours value; only RGB colours can match a pixel. Setting it does not rebuild
    // the region.
    quint32 transparentColour() const { return m_transparentColour; }
    void setTransparentColour(quint32 colour) { m_transparentColour = colour; }

    // Loads a Windows bitmap (".bmp" or ".dib", any bit depth); the control takes the
    // picture's size. A name with another extension, or none, raises
    // "拡張子 .<ext> の画像形式は処理できません"; a file that cannot be opened or is no valid
    // bitmap raises the open error with its path and the reason. On failure the old picture
    // stays.
    void loadPicture(const QString &path);
    // Drops the picture; the control keeps its size, and the region stays until rebuilt.
    void clearPicture();
    bool hasPicture() const { return !m_picture.isNull(); }
    const QImage &picture() const { return m_picture; }

    // Makes the region of the picture and the transparent colour the held region. Without a
    // picture raises "ビットマップを持っている時のみイメージの変更が可能です"; a failure keeps
    // the old region.
    void buildRegion();

    // Gives the parent the held region as its mask, offset by this control's position, or
    // does nothing before the first build. An empty region hides every pixel: Qt reads an
    // empty mask as no mask, so the parent gets one pixel outside its own rectangle instead,
    // which keeps it shown (its visibility is its owner's) with nothing of it on screen.
    void applyRegion();

    // Where the desktop draws a masked window's whole rectangle (the mask then only says
    // where it takes clicks), the cut-away pixels are painted fully transparent instead: the
    // parent is made a translucent window, which must happen before it is first shown, and
    // has its background drawn while this control is hidden (a plain window); the control
    // paints the region alone.
    void drawCutAwayTransparent();
    void setVisible(bool visible) override;

    // The held region in picture coordinates; empty before the first build.
    const QRegion &region() const { return m_region; }
    bool hasRegion() const { return m_hasRegion; }

    // The runs of the picture: for each row y from 1 to height - 1, each maximal run of
    // pixels not of the transparent colour within columns 1 to width - 1 is one rectangle
    // one pixel high, row by row, left to right. Colours compare as exact 0x00BBGGRR values
    // (the alpha of a pixel does not count), so a system colour, None or Default matches no
    // pixel. A picture one pixel wide or high has none.
    static QList<QRect> runs(const QImage &picture, quint32 transparentColour);

    // The union of the runs, as buildRegion() makes it: rows with the same runs as the row
    // above share their rectangles, so that a plain shape is a few rectangles.
    static QRegion regionOf(const QImage &picture, quint32 transparentColour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // One run: columns start to end - 1 of the row.
    static void addSpan(QList<QRect> &runs, int start, int end, int row);

    QImage m_picture;
    quint32 m_transparentColour;
    QRegion m_region;
    bool m_hasRegion = false;
    bool m_drawsCutAway = false;
};
