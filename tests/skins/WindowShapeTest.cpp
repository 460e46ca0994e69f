#include "CaseName.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include "base/Error.h"
#include "base/Messages.h"
#include "skins/SkinColours.h"
#include "skins/WindowShape.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <vector>

inline void PrintTo(const QRect &rect, std::ostream *os)
{
    *os << '(' << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height() << ')';
}

namespace {

constexpr QRgb Red = 0xFFFF0000; // 0x0000FF as skin.ini writes it
constexpr QRgb White = 0xFFFFFFFF;

// A picture drawn as rows of 'T' (white, the transparent colour of these tests) and 'O' (red).
QImage picture(const std::vector<const char *> &rows)
{
    QImage image(int(strlen(rows.front())), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rows[y][x] == 'T' ? White : Red);
    }
    return image;
}

// --- Runs --------------------------------------------------------------------------------

struct RunsCase
{
    const char *name;
    std::vector<const char *> rows;
    quint32 transparentColour;
    QList<QRect> runs;
};

void PrintTo(const RunsCase &c, std::ostream *os)
{
    *os << c.name;
}

class RunsTest : public testing::TestWithParam<RunsCase>
{
};

TEST_P(RunsTest, CoverEachRowsOpaquePixelsLessTheTopRowAndLeftColumn)
{
    const RunsCase &c = GetParam();
    const QImage image = picture(c.rows);
    EXPECT_EQ(WindowShape::runs(image, c.transparentColour), c.runs);
    QRegion expected;
    for (const QRect &run : c.runs)
        expected += run;
    EXPECT_EQ(WindowShape::regionOf(image, c.transparentColour) ^ expected, QRegion());
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, RunsTest,
    testing::Values(
        RunsCase{"OneColour",
                 {"OOOO", "OOOO", "OOOO"},
                 SkinColours::White,
                 {QRect(1, 1, 3, 1), QRect(1, 2, 3, 1)}},
        RunsCase{"AllTransparent", {"TTT", "TTT"}, SkinColours::White, {}},
        RunsCase{"RunInside", {"OOOOO", "TTOOT"}, SkinColours::White, {QRect(2, 1, 2, 1)}},
        RunsCase{"RunsAtBothEdges",
                 {"OOOOO", "OOTOO"},
                 SkinColours::White,
                 {QRect(1, 1, 1, 1), QRect(3, 1, 2, 1)}},
        RunsCase{"RowsDiffer",
                 {"TTTT", "TOOT", "OOTO", "TOOO"},
                 SkinColours::White,
                 {QRect(1, 1, 2, 1), QRect(1, 2, 1, 1), QRect(3, 2, 1, 1), QRect(1, 3, 3, 1)}},
        RunsCase{"EqualRowsApart",
                 {"TTT", "TOT", "TTT", "TOT"},
                 SkinColours::White,
                 {QRect(1, 1, 1, 1), QRect(1, 3, 1, 1)}},
        RunsCase{"SystemColourMatchesNoPixel",
                 {"TTT", "TTT", "TTT"},
                 SkinColours::Window,
                 {QRect(1, 1, 2, 1), QRect(1, 2, 2, 1)}},
        RunsCase{"OtherRgbColour", {"TOT", "TOT"}, 0x0000FF, {QRect(2, 1, 1, 1)}},
        RunsCase{"OnePixelWide", {"O", "O", "O"}, SkinColours::White, {}},
        RunsCase{"OnePixelHigh", {"OOOO"}, SkinColours::White, {}}),
    CaseName());

TEST(WindowShapeTest, RegionSharesRectanglesBetweenEqualRows)
{
    const QImage image = picture({"TTTTT", "TOOOT", "TOOOT", "TOTOT", "TOOOT"});
    const QRegion region = WindowShape::regionOf(image, SkinColours::White);
    EXPECT_EQ(region.rectCount(), 4);
    EXPECT_EQ(region.boundingRect(), QRect(1, 1, 3, 4));
}

// --- Bitmaps -----------------------------------------------------------------------------

// A Windows bitmap of the picture (only white and red) at the bit depth: a palette of the two
// up to 8 bits, BGR(A) bytes above; rows bottom up, padded to 4 bytes.
QByteArray bitmap(const QImage &image, int bits)
{
    const int width = image.width();
    const int height = image.height();
    const int stride = (width * bits + 31) / 32 * 4;
    const int colours = bits <= 8 ? 2 : 0;
    const int offset = 14 + 40 + 4 * colours;
    QByteArray bytes(offset + stride * height, '\0');
    auto put16 = [&](int at, quint16 v) {
        qToLittleEndian(v, bytes.data() + at);
    };
    auto put32 = [&](int at, quint32 v) {
        qToLittleEndian(v, bytes.data() + at);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, quint32(bytes.size()));
    put32(10, quint32(offset));
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);
    put16(28, quint16(bits));
    put32(46, quint32(colours));
    if (colours) {
        put32(54, 0x00FFFFFF); // index 0: white
        put32(58, 0x00FF0000); // index 1: red
    }
    for (int y = 0; y < height; ++y) {
        char *row = bytes.data() + offset + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const bool red = image.pixel(x, y) == Red;
            switch (bits) {
            case 1:
                row[x / 8] = char(row[x / 8] | (red ? 0x80 >> (x % 8) : 0));
                break;
            case 4:
                row[x / 2] = char(row[x / 2] | (red ? (x % 2 ? 0x01 : 0x10) : 0));
                break;
            case 8:
                row[x] = red ? 1 : 0;
                break;
            default: // 24 or 32
                row[x * bits / 8] = red ? 0 : char(0xFF);
                row[x * bits / 8 + 1] = red ? 0 : char(0xFF);
                row[x * bits / 8 + 2] = char(0xFF);
            }
        }
    }
    return bytes;
}

class WindowShapeWidgetTest : public testing::Test
{
protected:
    // The bitmap written at the depth, its path.
    QString write(const QString &name, const QImage &image, int bits = 24) const
    {
        folder.write(name, bitmap(image, bits));
        return folder.file(name);
    }

    static QString errorOf(const std::function<void()> &call)
    {
        try {
            call();
        } catch (const Error &e) {
            return e.message();
        }
        return {};
    }

    TempFolder folder;
    QWidget window;
    WindowShape *shape = new WindowShape(&window);
    const QImage skin = picture({"OTTOO", "TOTOT", "TTOOT"});
    const QList<QRect> skinRuns{QRect(1, 1, 1, 1), QRect(3, 1, 1, 1), QRect(2, 2, 2, 1)};
};

TEST_F(WindowShapeWidgetTest, StartsHiddenAtTheOriginWithoutPictureOrRegion)
{
    EXPECT_TRUE(shape->isHidden());
    EXPECT_TRUE(shape->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(shape->pos(), QPoint(0, 0));
    EXPECT_EQ(shape->transparentColour(), SkinColours::Black);
    EXPECT_FALSE(shape->hasPicture());
    shape->applyRegion();
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST_F(WindowShapeWidgetTest, LoadsBitmapsOfEveryDepth)
{
    shape->setTransparentColour(SkinColours::White);
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        shape->loadPicture(write(QStringLiteral("skin%1.BMP").arg(bits), skin, bits));
        EXPECT_EQ(shape->size(), QSize(5, 3));
        shape->buildRegion();
        EXPECT_EQ(WindowShape::runs(shape->picture(), SkinColours::White), skinRuns);
        EXPECT_EQ(shape->region().rectCount(), 3);
    }
    EXPECT_EQ(shape->grab().toImage().pixel(0, 0), Red); // drawn at the origin
}

TEST_F(WindowShapeWidgetTest, FailedLoadsKeepTheOldPicture)
{
    shape->loadPicture(write("good.bmp", skin));
    folder.write("junk.bmp", "BM not really");
    folder.write("NoName", bitmap(skin, 24));
    const std::pair<QString, QString> cases[] = {
        {folder.file("NoName"), "拡張子 . の画像形式は処理できません"},
        {folder.file("skin.png"), "拡張子 .png の画像形式は処理できません"},
        {folder.file("gone.bmp"),
         Messages::cannotOpenFile(folder.file("gone.bmp"), "指定されたファイルが見つかりません。")},
        {folder.file("junk.bmp"),
         Messages::cannotOpenFile(folder.file("junk.bmp"), "ビットマップ イメージが不正です。")},
    };
    for (const auto &[path, message] : cases) {
        EXPECT_EQ(errorOf([&] { shape->loadPicture(path); }), message);
        EXPECT_EQ(shape->picture(), skin.convertToFormat(shape->picture().format()));
        EXPECT_EQ(shape->size(), QSize(5, 3));
    }
}

TEST_F(WindowShapeWidgetTest, BuildNeedsAPictureAndApplyOffsetsByThePosition)
{
    EXPECT_EQ(errorOf([&] { shape->buildRegion(); }),
              "ビットマップを持っている時のみイメージの変更が可能です");
    EXPECT_FALSE(shape->hasRegion());

    shape->setTransparentColour(SkinColours::White);
    shape->loadPicture(write("skin.bmp", skin));
    shape->buildRegion();
    const QRegion built = shape->region();
    shape->move(2, 3);
    shape->applyRegion();
    EXPECT_EQ(window.mask() ^ built.translated(2, 3), QRegion());

    shape->clearPicture();
    EXPECT_THROW(shape->buildRegion(), Error);
    EXPECT_EQ(shape->region(), built);
}

TEST_F(WindowShapeWidgetTest, AnAllTransparentPictureLeavesNothingOfTheWindow)
{
    window.resize(10, 10);
    shape->setTransparentColour(SkinColours::White);
    shape->loadPicture(write("blank.bmp", picture({"TTT", "TTT"})));
    shape->buildRegion();
    EXPECT_TRUE(shape->region().isEmpty());
    shape->applyRegion();
    EXPECT_FALSE(window.mask().isEmpty()); // an empty mask would be no mask at all
    EXPECT_FALSE(window.mask().intersects(window.rect()));
}

} // namespace

// Where the desktop's mask does not cut what is drawn, the picture's cut-away pixels, the top
// row and the left column are drawn transparent; with the picture hidden the window is drawn
// plain and whole again.
TEST_F(WindowShapeWidgetTest, CutAwayPixelsAreDrawnTransparentWhereTheMaskDrawsNothing)
{
    window.resize(skin.size());
    shape->drawCutAwayTransparent();
    EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
    shape->setTransparentColour(SkinColours::White);
    shape->loadPicture(write("skin.bmp", skin));
    shape->buildRegion();
    shape->show();
    const QImage shaped = window.grab().toImage();
    for (int y = 0; y < skin.height(); ++y)
        for (int x = 0; x < skin.width(); ++x)
            EXPECT_EQ(shaped.pixel(x, y),
                      shape->region().contains(QPoint(x, y)) ? Red : QRgb(0))
                << x << "," << y;

    shape->hide();
    const QImage plain = window.grab().toImage();
    EXPECT_EQ(plain.pixel(0, 0), window.palette().color(QPalette::Window).rgba());
    EXPECT_EQ(qAlpha(plain.pixel(4, 2)), 255);
}
