#include "CaseName.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include "base/Error.h"
#include "base/Messages.h"
#include "base/ShiftJis.h"
#include "skins/SkinColours.h"
#include "skins/SkinFolders.h"
#include "skins/SkinIni.h"
#include "skins/SkinKeys.h"

#include <QDir>
#include <QPalette>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace {

// --- Colour texts ------------------------------------------------------------------------

struct ColourTextCase
{
    const char *name;
    QString text;
    std::optional<quint32> value; // none: the text is refused
};

void PrintTo(const ColourTextCase &c, std::ostream *os)
{
    *os << c.name;
}

class ColourTextTest : public testing::TestWithParam<ColourTextCase>
{
};

TEST_P(ColourTextTest, ReadsAsTheTableAndTheIntegerRulesSay)
{
    const ColourTextCase &c = GetParam();
    if (c.value) {
        EXPECT_EQ(SkinColours::fromText(c.text), *c.value);
        return;
    }
    try {
        SkinColours::fromText(c.text);
        ADD_FAILURE() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), Messages::notAnInteger(c.text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ColourTextTest,
    testing::Values(
        ColourTextCase{"Name", "clWhite", 0xFFFFFF},
        ColourTextCase{"NameLowerCase", "clwhite", 0xFFFFFF},
        ColourTextCase{"NameUpperCase", "CLWHITE", 0xFFFFFF},
        ColourTextCase{"SystemName", "clwindowtext", 0xFF000008},
        ColourTextCase{"SpecialName", "clNone", 0x1FFFFFFF},
        ColourTextCase{"Dollar", "$00000040", 64},
        ColourTextCase{"DollarLowerDigits", "$ff00", 0xFF00}, ColourTextCase{"ZeroX", "0X1f", 31},
        ColourTextCase{"BareX", "x10", 16}, ColourTextCase{"SignedBareX", "-X10", quint32(-16)},
        ColourTextCase{"Decimal", "12345", 12345}, ColourTextCase{"LeadingBlanks", " \t 7", 7},
        ColourTextCase{"Negative", "-1", 0xFFFFFFFF}, ColourTextCase{"PlusSign", "+8", 8},
        ColourTextCase{"LowestDecimal", "-2147483648", 0x80000000},
        ColourTextCase{"HexCoversAllBits", "$FFFFFFFF", 0xFFFFFFFF},
        ColourTextCase{"Word", "abc", std::nullopt}, ColourTextCase{"Empty", "", std::nullopt},
        ColourTextCase{"TrailingJunk", "12a", std::nullopt},
        ColourTextCase{"TrailingBlank", "12 ", std::nullopt},
        ColourTextCase{"DecimalOverflow", "2147483648", std::nullopt},
        ColourTextCase{"HexOverflow", "$100000000", std::nullopt},
        ColourTextCase{"PrefixOnly", "0x", std::nullopt},
        ColourTextCase{"NonAsciiCaseFolding", QString::fromUtf8("clBlac\u212A"), std::nullopt}),
    CaseName());

TEST(SkinColoursTest, WritesTheFirstNameOfTheTableOrEightHexDigits)
{
    const std::pair<quint32, const char *> cases[] = {
        {0x000000, "clBlack"},     {0xFFFFFF, "clWhite"},     {0xA4A0A0, "clMedGray"},
        {0xFF000005, "clWindow"},  {0x20000000, "clDefault"}, {0x1FFFFFFF, "clNone"},
        {0xFF00001E, "clMenuBar"}, {64, "$00000040"},         {0xABCDEF, "$00ABCDEF"},
        {0xFF000019, "$FF000019"}, {0xFFFFFFFF, "$FFFFFFFF"},
    };
    for (const auto &[value, text] : cases) {
        EXPECT_EQ(SkinColours::toText(value), QString::fromLatin1(text));
        EXPECT_EQ(SkinColours::fromText(QString::fromLatin1(text)), value) << text;
    }
}

TEST(SkinColoursTest, PaintsRgbAsItIsSystemColoursFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::cyan);
    palette.setColor(QPalette::Text, Qt::darkRed);
    palette.setColor(QPalette::Button, Qt::darkGreen);
    palette.setColor(QPalette::Highlight, Qt::magenta);
    palette.setColor(QPalette::Disabled, QPalette::Text, Qt::gray);
    const std::pair<quint32, QColor> cases[] = {
        {0x0000FF, QColor(255, 0, 0)},
        {0x402010, QColor(0x10, 0x20, 0x40)},
        {SkinColours::Window, Qt::cyan},
        {SkinColours::WindowText, Qt::darkRed},
        {SkinColours::fromText("clBtnFace"), Qt::darkGreen},
        {SkinColours::fromText("clHighlight"), Qt::magenta},
        {SkinColours::fromText("clGrayText"), Qt::gray},
        {SkinColours::None, QColor()},
        {SkinColours::Default, QColor()},
    };
    for (const auto &[value, colour] : cases)
        EXPECT_EQ(SkinColours::toColor(value, palette), colour)
            << SkinColours::toText(value).toStdString();
}

// --- skin.ini ----------------------------------------------------------------------------

class SkinIniTest : public testing::Test
{
protected:
    QString path() const { return folder.file(QStringLiteral("skin.ini")); }

    TempFolder folder;
};

TEST_F(SkinIniTest, IntegerKeysFallBackSilently)
{
    folder.write("skin.ini", "[skin]\r\n"
                             "listwidth=\r\nIconTop=abc\r\nIconLeft=0x20\r\nListTop=-5\r\n"
                             "ListLeft=$1f\r\nExplanationTop=0x\r\nExplanationLeft=+0X10\r\n");
    const SkinIni ini(path());
    const std::pair<QStringView, int> cases[] = {
        {SkinKeys::ListWidth, 153},      {SkinKeys::IconTop, 153},
        {SkinKeys::IconLeft, 32},        {SkinKeys::ListTop, -5},
        {SkinKeys::ListLeft, 31},        {SkinKeys::ExplanationTop, 153},
        {SkinKeys::ExplanationLeft, 16}, {SkinKeys::ExplanationWidth, 153},
    };
    for (const auto &[key, expected] : cases)
        EXPECT_EQ(ini.readInteger(key, 153), expected) << key.toString().toStdString();
}

TEST_F(SkinIniTest, MissingFileGivesTheDefaultsAndABadColourRaises)
{
    const SkinIni missing(path());
    EXPECT_EQ(missing.readText(SkinKeys::SkinName, SkinKeys::MainDefaults::SkinName), "NoName");
    EXPECT_EQ(missing.readInteger(SkinKeys::IconLeft, SkinKeys::MainDefaults::IconLeft), 205);
    EXPECT_EQ(missing.readColour(SkinKeys::ListBColor, SkinKeys::MainDefaults::ListBColor),
              SkinColours::Window);

    folder.write("skin.ini", "[Skin]\r\nListTColor=red\r\n");
    EXPECT_THROW(SkinIni(path()).readColour(SkinKeys::ListTColor, u"clBlack"), Error);
}

TEST_F(SkinIniTest, WritesTheTwentySevenLinesAnewInShiftJis)
{
    folder.write("skin.ini", "[Skin]\r\nSkinName=old.bmp\r\nAddedByHand=1\r\n");
    const SkinIni::Values values{
        QStringLiteral("絵.bmp"), -3,        205, 0, -12, 153, SkinColours::Window, 64, 26, 8, 153,
        SkinColours::White,       0xFF000019};
    SkinIni::write(path(), values);

    const QString expected = QStringLiteral(
        "[Skin]\r\n;　　作成したファイルの名前\r\nSkinName=絵.bmp\r\n"
        ";　　アイコン表示部の上端位置\r\nIconTop=-3\r\n;　　アイコン表示部の左端位置\r\nIconLeft="
        "205\r\n"
        ";　　リスト表示部の上端位置\r\nListTop=0\r\n;　　リスト表示部の左端位置\r\nListLeft=-"
        "12\r\n"
        ";　　リスト表示部の幅\r\nListWidth=153\r\n;　　リスト表示部の背景色\r\nListBColor="
        "clWindow\r\n"
        ";　　リスト表示部の文字色\r\nListTColor=$00000040\r\n;"
        "　　備考欄の上端位置\r\nExplanationTop=26\r\n"
        ";　　備考欄の左端位置\r\nExplanationLeft=8\r\n;　　備考欄の幅\r\nExplanationWidth=153\r\n"
        ";　　備考欄の文字の色\r\nExplanationTextColor=clWhite\r\n;　　透過色の設定\r\n"
        "TransparentColor=$FF000019\r\n");
    const QByteArray bytes = folder.read("skin.ini");
    EXPECT_EQ(bytes, ShiftJis::encodeOrThrow(expected));
    EXPECT_EQ(bytes.count("\r\n"), 27);
    EXPECT_EQ(bytes.count(";\x81\x40\x81\x40"), 13); // two ideographic spaces after each ";"

    // What is written reads back.
    const SkinIni ini(path());
    EXPECT_EQ(ini.readText(SkinKeys::SkinName, u""), values.skinName);
    EXPECT_EQ(ini.readInteger(SkinKeys::ListLeft, 0), -12);
    EXPECT_EQ(ini.readColour(SkinKeys::TransparentColor, u""), 0xFF000019u);

    // A name the code page cannot hold is refused before the file is touched.
    SkinIni::Values unencodable = values;
    unencodable.skinName = QString::fromUtf8("\U0001F600.bmp");
    EXPECT_THROW(SkinIni::write(path(), unencodable), Error);
    EXPECT_EQ(folder.read("skin.ini"), bytes);
}

// --- Skin folders ------------------------------------------------------------------------

TEST(SkinFoldersTest, ListsEveryEntryIgnoringCaseThenExactly)
{
    TempFolder exe;
    const QString root = SkinFolders::root(exe.path());
    EXPECT_EQ(root, exe.path() + "skin");
    EXPECT_EQ(SkinFolders::list(root), QStringList());

    for (const char *folder : {"beta", "alpha", "Alpha", "delta", ".dot"})
        QDir().mkpath(root + '/' + folder);
    exe.write("skin/Gamma.txt", "not a skin");
    EXPECT_EQ(SkinFolders::list(root),
              QStringList({".dot", "Alpha", "alpha", "beta", "delta", "Gamma.txt"}));
    EXPECT_EQ(SkinFolders::iniPath(root, "beta"), root + "/beta/skin.ini");
    EXPECT_EQ(SkinFolders::bitmapPath(root, "beta", "b.bmp"), root + "/beta/b.bmp");
}

} // namespace
