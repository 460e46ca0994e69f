#include "base/ShiftJis.h"
#include "CaseName.h"
#include "base/Error.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct RoundTrip
{
    const char *name;
    QString text;
    QByteArray bytes;
};

class ShiftJisRoundTrip : public ::testing::TestWithParam<RoundTrip>
{
};

TEST_P(ShiftJisRoundTrip, EncodesAndDecodesAsWindowsDoes)
{
    const RoundTrip &c = GetParam();
    EXPECT_EQ(ShiftJis::encode(c.text).value_or("<refused>"), c.bytes);
    EXPECT_EQ(ShiftJis::decode(c.bytes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShiftJisRoundTrip,
    ::testing::Values(RoundTrip{"Ascii", QStringLiteral("memo.txt"), "memo.txt"},
                      RoundTrip{"BackslashAndTilde", QStringLiteral("C:\\a~b"), "C:\\a~b"},
                      RoundTrip{"Kana", QStringLiteral("あア"), "\x82\xa0\x83\x41"},
                      RoundTrip{"HalfWidthKana", QStringLiteral("ｱ"), "\xb1"},
                      RoundTrip{"SecondByteIsBracketOrBackslash", QStringLiteral("啓ゾソ"),
                                "\x8c\x5b\x83\x5d\x83\x5c"},
                      RoundTrip{"NecRow13", QStringLiteral("①"), "\x87\x40"},
                      RoundTrip{"IbmExtension", QStringLiteral("ⅰ纊"), "\xfa\x40\xfa\x5c"},
                      RoundTrip{"WaveDash", QString(QChar(0xFF5E)), "\x81\x60"},
                      RoundTrip{"ParallelTo", QString(QChar(0x2225)), "\x81\x61"},
                      RoundTrip{"NotSign", QString(QChar(0xFFE2)), "\x81\xca"},
                      RoundTrip{"ControlBytesAreNotSwapped", QStringLiteral("\x1a\x1c\x7f"),
                                "\x1a\x1c\x7f"}),
    CaseName());

TEST(ShiftJis, DuplicateCodesDecodeButEncodeToTheWindowsChoice)
{
    // NEC's selection of IBM extensions duplicates FA5C; Windows writes the IBM code.
    EXPECT_EQ(ShiftJis::decode("\xed\x40"), QStringLiteral("纊"));
    EXPECT_EQ(*ShiftJis::encode(QStringLiteral("纊")), QByteArray("\xfa\x5c"));
}

TEST(ShiftJis, RefusesWhatTheCodePageCannotHold)
{
    EXPECT_FALSE(ShiftJis::encode(QStringLiteral("memo😀")));
    EXPECT_FALSE(ShiftJis::encode(QStringLiteral("한국어")));
    EXPECT_FALSE(ShiftJis::encode(QString(QChar(0xD800)))); // a lone surrogate
    // Look-alikes would read back as other characters.
    EXPECT_FALSE(ShiftJis::encode(QStringLiteral("¥100")));
    EXPECT_FALSE(ShiftJis::encode(QStringLiteral("a〜b"))); // U+301C, not the code page's U+FF5E
    EXPECT_FALSE(ShiftJis::encode(QStringLiteral("1−2")));  // U+2212
    try {
        ShiftJis::encodeOrThrow(QStringLiteral("a😀"));
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("a😀")));
    }
}

TEST(ShiftJis, BadBytesDecodeToReplacementCharacters)
{
    EXPECT_EQ(ShiftJis::decode("ab\x82"), QStringLiteral("ab\uFFFD"));
    EXPECT_EQ(ShiftJis::decode("\x82\xa0x\x82"), QStringLiteral("あx\uFFFD"));
}

} // namespace

// The check runs by blocks of bytes and then byte by byte: a high byte anywhere is found.
TEST(ShiftJis, OneHighByteAnywhereIsNoAscii)
{
    const QByteArray ascii(200, 'a');
    EXPECT_TRUE(ShiftJis::isAscii(ascii));
    EXPECT_TRUE(ShiftJis::isAscii(QByteArrayView()));
    for (qsizetype at = 0; at < ascii.size(); ++at) {
        QByteArray bytes = ascii;
        bytes[at] = char(0x80);
        EXPECT_FALSE(ShiftJis::isAscii(bytes)) << at;
        EXPECT_FALSE(ShiftJis::isAscii(QByteArrayView(bytes).sliced(at % 7))) << at;
    }
}
