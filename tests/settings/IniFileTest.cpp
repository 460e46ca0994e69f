#include "CaseName.h"
#include "TempFolder.h"

#include "base/Error.h"
#include "base/Messages.h"
#include "base/ShiftJis.h"
#include "settings/IniFile.h"

#include <QFile>

#include <gtest/gtest.h>

#include <optional>
#include <unistd.h>

namespace {

QByteArray sjis(const char *utf8)
{
    return ShiftJis::encodeOrThrow(QString::fromUtf8(utf8));
}

class IniFileTest : public testing::Test
{
protected:
    QString path() const { return folder.file(QStringLiteral("kw.ini")); }
    IniFile ini() const { return IniFile(path()); }

    TempFolder folder;
};

// --- Reading -----------------------------------------------------------------------------

struct ReadCase
{
    std::string name;
    std::optional<QByteArray> file; // none: no file
    QString section;
    QString key;
    QString expected;
};

const QString fallback = QStringLiteral("DEF");

std::vector<ReadCase> readCases()
{
    return {
        {"MissingFile", std::nullopt, "S", "a", fallback},
        {"BlanksAroundEquals", "[S]\r\n \t a \t= \t v w \t\r\n", "S", "a", "v w"},
        {"ValueKeepsLaterEquals", "[S]\r\na=b=c\r\n", "S", "a", "b=c"},
        {"EmptyValueIsNoDefault", "[S]\r\na=\r\n", "S", "a", ""},
        {"DoubleQuotesStripped", "[S]\r\na= \"  q  \" \r\n", "S", "a", "  q  "},
        {"SingleQuotesStripped", "[S]\r\na='q'\r\n", "S", "a", "q"},
        {"OnlyOuterPairStripped", "[S]\r\na=\"\"q\"\"\r\n", "S", "a", "\"q\""},
        {"MismatchedQuotesKept", "[S]\r\na=\"q'\r\n", "S", "a", "\"q'"},
        {"LoneQuoteKept", "[S]\r\na=\"\r\n", "S", "a", "\""},
        {"CommentLineIgnored", "[S]\r\n  ;a=1\r\na=2\r\n", "S", "a", "2"},
        {"SemicolonInValueIsText", "[S]\r\na=1 ; no comment\r\n", "S", "a", "1 ; no comment"},
        {"HashIsText", "[S]\r\n#a=1\r\n", "S", "#a", "1"},
        {"SectionAndKeyAnyCase", "[setting]\r\nmousepoint=0\r\n", "Setting", "MousePoint", "0"},
        {"FirstDuplicateKeyWins", "[S]\r\na=1\r\nA=2\r\n", "S", "a", "1"},
        {"FirstDuplicateSectionWins", "[S]\r\na=1\r\n[s]\r\na=2\r\nb=3\r\n", "S", "a", "1"},
        {"LaterDuplicateSectionIgnored", "[S]\r\na=1\r\n[s]\r\nb=3\r\n", "S", "b", fallback},
        {"LastLineWithoutNewline", "[S]\r\na=last", "S", "a", "last"},
        {"LfLineEnds", "[S]\na=1\nb=2", "S", "b", "2"},
        {"CrLineEnds", "[S]\ra=1\rb=2\r", "S", "b", "2"},
        {"KeyBeforeFirstSectionUnreadable", "a=1\r\n[S]\r\n", "", "a", fallback},
        {"EmptySectionName", "a=0\r\n[]\r\na=1\r\n", "", "a", "1"},
        {"BlanksAroundSectionName", "  [ \tS\t ]  \r\na=1\r\n", "S", "a", "1"},
        {"TextAfterBracketIgnored", "[S] ; note\r\na=1\r\n", "S", "a", "1"},
        {"MissingBracketRunsToEnd", "[S\r\na=1\r\n", "S", "a", "1"},
        {"SpacesAroundPassedNamesDropped", "[S]\r\na=1\r\n", "  S ", " a  ", "1"},
        {"TabsAroundPassedNamesKept", "[S]\r\na=1\r\n", "S", "\ta", fallback},
        {"LineWithoutEqualsIsNoKey", "[S]\r\na\r\n", "S", "a", fallback},
        {"KeyOfOtherSectionNotFound", "[S]\r\n[T]\r\na=1\r\n", "S", "a", fallback},
        // Second bytes 0x5B '[', 0x5C '\', 0x5D ']' inside names and values.
        {"SjisSectionName", sjis("[ゼ評]\r\na=1\r\n"), "ゼ評", "a", "1"},
        {"SjisTrailBracketsInValue", sjis("[S]\r\na=ー]ゾ[\r\n"), "S", "a", "ー]ゾ["},
        {"SjisBackslashIsNoEscape", sjis("[S]\r\na=表ソ\r\nb=2\r\n"), "S", "b", "2"},
        {"SjisKey", sjis("[S]\r\n申=表\r\n"), "S", "申", "表"},
    };
}

class IniReadTest : public IniFileTest, public testing::WithParamInterface<ReadCase>
{
};

TEST_P(IniReadTest, ReadsValue)
{
    const ReadCase &c = GetParam();
    if (c.file)
        folder.write(QStringLiteral("kw.ini"), *c.file);
    EXPECT_EQ(ini().readString(c.section, c.key, fallback), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniReadTest, testing::ValuesIn(readCases()), CaseName());

// A snapshot answers as the file stood when it was taken, missing or not, and never opens it
// again: not even once it is gone or has changed.
TEST_F(IniFileTest, SnapshotReadsTheFileAsItStoodThen)
{
    const IniFile missing = ini().snapshot();
    folder.write(QStringLiteral("kw.ini"), QByteArray("[S]\r\na=1\r\n"));
    const IniFile taken = ini().snapshot();
    folder.write(QStringLiteral("kw.ini"), QByteArray("[S]\r\na=2\r\n"));
    EXPECT_EQ(missing.readString(u"S", u"a", u"none "), QStringLiteral("none"));
    EXPECT_EQ(taken.readString(u"S", u"a", u"none"), QStringLiteral("1"));
    QFile::remove(path());
    EXPECT_TRUE(taken.readBool(u"S", u"a", false));
    EXPECT_EQ(ini().readString(u"S", u"a", u"none"), QStringLiteral("none"));
}

TEST_F(IniFileTest, DefaultLosesTrailingSpacesOnly)
{
    EXPECT_EQ(ini().readString(u"S", u"a", u" def  "), QStringLiteral(" def"));
}

TEST_F(IniFileTest, LongValuesAreCutAtWholeCharacters)
{
    const QString ascii(3000, u'a');
    const QString wide(1100, u'表'); // two bytes each
    folder.write("kw.ini", "[S]\r\na=" + ascii.toLatin1() + "\r\nw=" + sjis("表").repeated(1100)
                               + "\r\nm=x" + sjis("表").repeated(1100) + "\r\n");
    EXPECT_EQ(ini().readString(u"S", u"a", {}), ascii.left(2047));
    EXPECT_EQ(ini().readString(u"S", u"w", {}), wide.left(1023));
    EXPECT_EQ(ini().readString(u"S", u"m", {}), QStringLiteral("x") + wide.left(1023));
    EXPECT_EQ(ini().readString(u"S", u"none", wide), wide.left(1023));
}

// --- Booleans ----------------------------------------------------------------------------

struct BoolCase
{
    std::string name;
    std::optional<QByteArray> stored;
    bool fallback;
    bool expected;
};

std::vector<BoolCase> boolCases()
{
    return {
        {"AbsentTrue", std::nullopt, true, true},
        {"AbsentFalse", std::nullopt, false, false},
        {"WordYes", "yes", false, false},
        {"WordYesTrue", "yes", true, true},
        {"Empty", "", true, true},
        {"Two", "2", false, true},
        {"Zero", "0", true, false},
        {"HexZero", "0x0", true, false},
        {"HexUpper", "0X1F", false, true},
        {"Dollar", "$10", false, true},
        {"DollarZero", "$0", true, false},
        {"Negative", "-1", false, true},
        {"BarePrefix", "0x", true, true},
        {"BareDollar", "$", false, false},
        {"Decimal", "1.5", false, false},
        {"Quoted", "\"0\"", true, false},
        {"Blanks", "  1  ", false, true},
        {"Overflow", "99999999999", false, false},
        {"HexFull", "$FFFFFFFF", false, true},
        {"HexTooLong", "$100000000", false, false},
    };
}

class IniBoolTest : public IniFileTest, public testing::WithParamInterface<BoolCase>
{
};

TEST_P(IniBoolTest, ReadsInteger)
{
    const BoolCase &c = GetParam();
    if (c.stored)
        folder.write("kw.ini", "[S]\r\nb=" + *c.stored + "\r\n");
    EXPECT_EQ(ini().readBool(u"S", u"b", c.fallback), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniBoolTest, testing::ValuesIn(boolCases()), CaseName());

TEST_F(IniFileTest, BooleansAreWrittenAsOneAndZero)
{
    ini().writeBool(u"S", u"t", true);
    ini().writeBool(u"S", u"f", false);
    EXPECT_EQ(folder.read("kw.ini"), "[S]\r\nt=1\r\nf=0\r\n");
}

// --- Writing -----------------------------------------------------------------------------

struct WriteCase
{
    std::string name;
    std::optional<QByteArray> file;
    QString section;
    QString key;
    QString value;
    QByteArray expected;
};

std::vector<WriteCase> writeCases()
{
    return {
        {"CreatesFile", std::nullopt, "S", "a", "1", "[S]\r\na=1\r\n"},
        {"ReplacesInPlace", "; top\r\n[s]\r\n  KEY = old \r\n\r\n; end\r\n", "S", "key", "new",
         "; top\r\n[s]\r\n  KEY =new\r\n\r\n; end\r\n"},
        {"ReplacesLastLineWithoutNewline", "[S]\r\na=1", "S", "a", "2", "[S]\r\na=2\r\n"},
        {"ReplacesFirstDuplicateOnly", "[S]\r\na=1\r\na=2\r\n", "S", "a", "3",
         "[S]\r\na=3\r\na=2\r\n"},
        {"NewKeyBeforeBlankLines", "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n", "A", "c", "3",
         "[A]\r\na=1\r\nc=3\r\n\r\n[B]\r\nb=1\r\n"},
        {"NewKeyAfterComment", "[A]\r\na=1\r\n; note\r\n\r\n[B]\r\n", "a", "c", "3",
         "[A]\r\na=1\r\n; note\r\nc=3\r\n\r\n[B]\r\n"},
        {"NewKeyIntoEmptySection", "[A]\r\n\r\n[B]\r\n", "A", "c", "3",
         "[A]\r\nc=3\r\n\r\n[B]\r\n"},
        {"NewKeyIntoFirstDuplicateSection", "[A]\r\na=1\r\n[A]\r\nb=2\r\n", "A", "b", "3",
         "[A]\r\na=1\r\nb=3\r\n[A]\r\nb=2\r\n"},
        {"NewKeyAfterMissingNewline", "[A]\r\na=1", "A", "b", "2", "[A]\r\na=1\r\nb=2\r\n"},
        {"NewSectionAtEnd", "x=0\r\n[A]\r\na=1\r\n\r\n", "B", "b", "2",
         "x=0\r\n[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n"},
        {"NewSectionAfterMissingNewline", "[A]\r\na=1", "B", "b", "2",
         "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
        {"OtherLineEndsKept", "[A]\na=1\n; c\rz", "A", "a", "2", "[A]\na=2\n; c\rz"},
        {"ValueWrittenAsGiven", std::nullopt, "S", "a", " \"q\" ;x ", "[S]\r\na= \"q\" ;x \r\n"},
        {"SpacesAroundNamesDropped", std::nullopt, " S ", " a ", "1", "[S]\r\na=1\r\n"},
        {"LineBreakEndsValue", std::nullopt, "S", "a", "1\r\n[T]\r\nb=2", "[S]\r\na=1\r\n"},
        {"UndecodableBytesKept", "; \x80\xFD\xFF\r\n[S]\r\na=1\r\n", "S", "a", "2",
         "; \x80\xFD\xFF\r\n[S]\r\na=2\r\n"},
        {"SjisSectionFound", sjis("[評ゼ]\r\na=1\r\n"), "評ゼ", "a", "表ー",
         sjis("[評ゼ]\r\na=表ー\r\n")},
    };
}

class IniWriteTest : public IniFileTest, public testing::WithParamInterface<WriteCase>
{
};

TEST_P(IniWriteTest, WritesFile)
{
    const WriteCase &c = GetParam();
    if (c.file)
        folder.write("kw.ini", *c.file);
    ini().writeString(c.section, c.key, c.value);
    EXPECT_EQ(folder.read("kw.ini"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniWriteTest, testing::ValuesIn(writeCases()), CaseName());

TEST_F(IniFileTest, NewKeysFollowInOrderOfWriting)
{
    folder.write("kw.ini", "[S]\r\nb=x\r\na=x\r\n");
    for (const char16_t *key : {u"z", u"b", u"y", u"a"})
        ini().writeString(u"S", key, {});
    EXPECT_EQ(folder.read("kw.ini"), "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n");
}

TEST_F(IniFileTest, WrittenValuesReadBack)
{
    const QString tricky = QStringLiteral("ソ]表[ー\\ = 'x'");
    ini().writeString(u"S", u"a", tricky);
    EXPECT_EQ(ini().readString(u"S", u"a", {}), tricky);
}

// --- Refused writes ------------------------------------------------------------------------

void expectRefused(const IniFile &ini, const QString &message)
{
    try {
        ini.writeString(u"S", u"a", u"1");
        FAIL() << "the write was not refused";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), message);
    }
}

TEST_F(IniFileTest, MissingFolderRefusesWrite)
{
    const IniFile missing(folder.file("none/kw.ini"));
    expectRefused(missing, Messages::cannotWriteFile(missing.path()));
    EXPECT_FALSE(folder.exists("none"));
}

TEST_F(IniFileTest, FolderInPlaceOfFileRefusesWrite)
{
    folder.write("kw.ini/inside", "x");
    expectRefused(ini(), Messages::cannotWriteFile(path()));
}

TEST_F(IniFileTest, ReadOnlyFolderRefusesWriteAndKeepsFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    folder.write("ro/kw.ini", "[S]\r\na=0\r\n");
    const QString roFolder = folder.file("ro");
    QFile::setPermissions(roFolder, QFile::ReadOwner | QFile::ExeOwner);
    const IniFile readOnly(folder.file("ro/kw.ini"));
    expectRefused(readOnly, Messages::cannotWriteFile(readOnly.path()));
    QFile::setPermissions(roFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(folder.read("ro/kw.ini"), "[S]\r\na=0\r\n");
}

TEST_F(IniFileTest, TextOutsideCodePageChangesNothing)
{
    folder.write("kw.ini", "[S]\r\na=0\r\n");
    EXPECT_THROW(ini().writeString(u"S", u"a", u"\U0001F600"), Error);
    EXPECT_EQ(folder.read("kw.ini"), "[S]\r\na=0\r\n");
}

} // namespace
