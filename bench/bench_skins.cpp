// Building a window's shape from a skin bitmap, as applying a skin does: a skin of ordinary
// size, and a large picture whose rows all differ so that no rectangles are shared.
#include "skins/SkinColours.h"
#include "skins/WindowShape.h"

#include <QImage>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

constexpr QRgb White = 0xFFFFFFFF; // the transparent colour

// An opaque picture inside a white border whose width changes from row to row by up to
// `ragged` pixels on each side, with a white hole in the middle: three runs or two a row.
QImage raggedPicture(int width, int height, int ragged, QImage::Format format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0x30, 0x60, 0x90));
    QRandomGenerator random(42);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int left = 1 + random.bounded(ragged);
        const int right = width - 1 - random.bounded(ragged);
        for (int x = 0; x < width; ++x) {
            if (x < left || x > right
                || (y > height / 3 && y < height / 2 && x > width / 3 && x < width / 2))
                line[x] = White;
        }
    }
    return format == QImage::Format_RGB32 ? image : image.convertToFormat(format);
}

void BM_RegionOf(benchmark::State &state, int width, int height, int ragged, QImage::Format format)
{
    const QImage picture = raggedPicture(width, height, ragged, format);
    int rects = 0;
    for (auto _ : state) {
        const QRegion region = WindowShape::regionOf(picture, SkinColours::White);
        rects = region.rectCount();
        benchmark::DoNotOptimize(rects);
    }
    state.counters["rects"] = rects;
    state.counters["pixels"] = double(width) * height;
}

BENCHMARK_CAPTURE(BM_RegionOf, skin_300x120_24bit, 300, 120, 6, QImage::Format_RGB32)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RegionOf, ragged_2000x2000_24bit, 2000, 2000, 200, QImage::Format_RGB32)
    ->Unit(benchmark::kMillisecond);
// An 8-bit bitmap is converted to 32-bit words first.
BENCHMARK_CAPTURE(BM_RegionOf, ragged_2000x2000_8bit, 2000, 2000, 200, QImage::Format_Indexed8)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
