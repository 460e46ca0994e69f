#include "WindowShape.h"

#include "SkinColours.h"
#include "SkinMessages.h"

#include "base/Error.h"
#include "base/Messages.h"
#include "base/TextFile.h"

#include <QPainter>

#include <algorithm>
#include <new>

namespace {

// The picture's pixels as 32-bit words 0xAARRGGBB, converted when they are not. Palette
// indices beyond a bitmap's colour table read as black, as Qt paints them.
QImage pixelWords(const QImage &picture)
{
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32)
        return picture;
    QImage words = picture.convertToFormat(QImage::Format_RGB32);
    if (words.isNull())
        throw std::bad_alloc();
    return words;
}

// Calls addSpan(start, end, row) for each run, end exclusive, row by row, left to right.
template <typename AddSpan>
void scanRuns(const QImage &picture, quint32 transparentColour, AddSpan addSpan)
{
    const int width = picture.width();
    const int height = picture.height();
    if (width < 2 || height < 2)
        return;
    // Only an RGB colour can equal a pixel; then every run is the whole row.
    if (transparentColour > 0xFFFFFF) {
        for (int y = 1; y < height; ++y)
            addSpan(1, width, y);
        return;
    }
    const QImage pixels = pixelWords(picture);
    // 0x00BBGGRR as the pixel words hold it, 0x00RRGGBB.
    const quint32 key = ((transparentColour & 0xFF) << 16) | (transparentColour & 0xFF00)
                        | ((transparentColour >> 16) & 0xFF);
    for (int y = 1; y < height; ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(pixels.constScanLine(y));
        int x = 1;
        for (;;) {
            while (x < width && (line[x] & 0xFFFFFF) == key)
                ++x;
            if (x == width)
                break;
            const int start = x;
            while (x < width && (line[x] & 0xFFFFFF) != key)
                ++x;
            addSpan(start, x, y);
        }
    }
}

bool sameColumns(const QRect &a, const QRect &b)
{
    return a.left() == b.left() && a.right() == b.right();
}

} // namespace

WindowShape::WindowShape(QWidget *parent)
    : QWidget(parent)
    , m_transparentColour(SkinColours::Black)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    move(0, 0);
    hide();
}

void WindowShape::loadPicture(const QString &path)
{
    const QString fileName = path.sliced(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : fileName.sliced(dot + 1);
    // Only bitmaps give the pixels a shape is made of.
    if (extension.compare(u"bmp", Qt::CaseInsensitive) != 0
        && extension.compare(u"dib", Qt::CaseInsensitive) != 0)
        throw Error(SkinMessages::unknownImageFormat(extension));

    const QByteArray bytes = TextFile::readBytes(path);
    QImage loaded;
    if (!loaded.loadFromData(bytes, "BMP"))
        throw Error(Messages::cannotOpenFile(path, SkinMessages::invalidBitmap()));
    // Held as opaque 32-bit pixels, converted once: a bitmap's fourth byte is no alpha, and
    // every build scans the picture as it is drawn.
    QImage picture = loaded.convertToFormat(QImage::Format_RGB32);
    if (picture.isNull())
        throw std::bad_alloc();
    m_picture = std::move(picture);
    resize(m_picture.size());
    update();
}

void WindowShape::clearPicture()
{
    m_picture = QImage();
    update();
}

void WindowShape::buildRegion()
{
    if (!hasPicture())
        throw Error(SkinMessages::noBitmapToShape());
    m_region = regionOf(m_picture, m_transparentColour);
    m_hasRegion = true;
}

void WindowShape::applyRegion()
{
    QWidget *window = parentWidget();
    if (!m_hasRegion || !window)
        return;
    window->setMask(m_region.isEmpty() ? QRegion(-1, -1, 1, 1) : m_region.translated(pos()));
}

QList<QRect> WindowShape::runs(const QImage &picture, quint32 transparentColour)
{
    QList<QRect> found;
    scanRuns(picture, transparentColour,
             [&found](int start, int end, int row) { addSpan(found, start, end, row); });
    return found;
}

void WindowShape::addSpan(QList<QRect> &runs, int start, int end, int row)
{
    runs.append(QRect(start, row, end - start, 1));
}

QRegion WindowShape::regionOf(const QImage &picture, quint32 transparentColour)
{
    QList<QRect> rects = runs(picture, transparentColour);
    // Rows are copied down over the list: rects[band, kept) is the last band kept, to which
    // a following row with the same columns adds its height.
    qsizetype kept = 0;
    qsizetype band = 0;
    for (qsizetype row = 0; row < rects.size();) {
        const int y = rects[row].top();
        qsizetype end = row;
        while (end < rects.size() && rects[end].top() == y)
            ++end;
        const bool extends = kept > band && kept - band == end - row
                             && rects[band].bottom() + 1 == y
                             && std::equal(rects.cbegin() + row, rects.cbegin() + end,
                                           rects.cbegin() + band, sameColumns);
        if (extends) {
            for (qsizetype i = band; i < kept; ++i)
                rects[i].setBottom(y);
        } else {
            band = kept;
            for (qsizetype i = row; i < end; ++i)
                rects[kept++] = rects[i];
        }
        row = end;
    }
    // Banded, sorted and never abutting, as setRects() requires.
    QRegion region;
    region.setRects(rects.constData(), int(kept));
    return region;
}

void WindowShape::drawCutAwayTransparent()
{
    m_drawsCutAway = true;
    if (QWidget *window = parentWidget()) {
        window->setAttribute(Qt::WA_TranslucentBackground);
        window->setAttribute(Qt::WA_NoSystemBackground, !isHidden());
    }
}

void WindowShape::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_drawsCutAway && m_hasRegion)
        painter.setClipRegion(m_region);
    painter.drawImage(0, 0, m_picture);
}

void WindowShape::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    if (m_drawsCutAway && parentWidget())
        parentWidget()->setAttribute(Qt::WA_NoSystemBackground, visible);
}
