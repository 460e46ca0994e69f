// A skin bitmap as the window shape reads it: the input is a Windows bitmap's bytes, decoded
// by Qt's reader, and its runs and region for a few transparent colours are checked against
// the row scan written out pixel by pixel.

#include "FuzzSupport.h"

#include "skins/SkinColours.h"
#include "skins/WindowShape.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace {

// Larger pictures are no skins, and the time would go on allocating and scanning them.
constexpr qint64 MaxPixels = 1024 * 1024;
// Up to this size the runs are also found the slow way, pixel by pixel.
constexpr qint64 MaxCheckedPixels = 128 * 128;

quint32 colourAt(const QImage &image, int x, int y)
{
    const QRgb pixel = image.pixel(x, y);
    return quint32(qBlue(pixel)) << 16 | quint32(qGreen(pixel)) << 8 | quint32(qRed(pixel));
}

// The row scan as the shape is defined: for x from 1 to W a run starts where the pixel to
// the left is transparent (or x is 1) and this one is not, and ends where the pixel to the
// left is not transparent and this one is, or x is W.
QList<QRect> runsPixelByPixel(const QImage &image, quint32 transparent)
{
    QList<QRect> runs;
    const int width = image.width();
    int start = 1;
    for (int y = 1; y < image.height(); ++y) {
        for (int x = 1; x <= width; ++x) {
            const bool left = colourAt(image, x - 1, y) == transparent;
            const bool here = x < width && colourAt(image, x, y) == transparent;
            if ((left || x == 1) && !here && x < width)
                start = x;
            else if (!left && (here || x == width) && x != 1)
                runs.append(QRect(start, y, x - start, 1));
        }
    }
    return runs;
}

void check(const QImage &image, quint32 transparent)
{
    const QList<QRect> runs = WindowShape::runs(image, transparent);
    qint64 runPixels = 0;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const QRect &run = runs[i];
        FUZZ_CHECK(run.height() == 1 && run.width() >= 1);
        FUZZ_CHECK(run.left() >= 1 && run.top() >= 1);
        FUZZ_CHECK(run.right() < image.width() && run.bottom() < image.height());
        // In order, apart, and never abutting: each run is maximal.
        if (i > 0)
            FUZZ_CHECK(runs[i - 1].top() < run.top() || runs[i - 1].right() + 1 < run.left());
        runPixels += run.width();
    }

    const QRegion region = WindowShape::regionOf(image, transparent);
    qint64 regionPixels = 0;
    for (const QRect &rect : region)
        regionPixels += qint64(rect.width()) * rect.height();
    FUZZ_CHECK(regionPixels == runPixels);

    // The picture as the window shape holds and draws it gives the same runs.
    const QImage drawn = image.convertToFormat(QImage::Format_RGB32);
    FUZZ_CHECK(WindowShape::runs(drawn, transparent) == runs);

    if (qint64(image.width()) * image.height() > MaxCheckedPixels)
        return;
    // Pixel by pixel from the converted picture: QImage::pixel() reads a palette index beyond
    // a short colour table as a colour of its own, where conversion and drawing give black.
    FUZZ_CHECK(runs == runsPixelByPixel(drawn, transparent));
    // The region's rectangles do not overlap: same area and holding every run is equality.
    if (runs.size() <= 4096) {
        for (const QRect &run : runs)
            FUZZ_CHECK(region.contains(run));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::ensureCoreApplication();
    const QByteArray bytes = Fuzz::bytes(data, size).toByteArray();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize declared = QImageReader(&buffer, "BMP").size();
    if (!declared.isValid() || qint64(declared.width()) * declared.height() > MaxPixels)
        return 0;

    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        return 0;
    FUZZ_CHECK(qint64(image.width()) * image.height() <= MaxPixels);

    check(image, SkinColours::Black);
    check(image, SkinColours::Window);
    if (image.width() > 1 && image.height() > 1)
        check(image, colourAt(image, 1, 1));
    return 0;
}
