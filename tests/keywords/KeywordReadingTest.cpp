#include "keywords/KeywordReading.h"
#include "keywords/KanjiReading.h"

#include <gtest/gtest.h>

namespace {

// Texts that read alike: each way of writing the same sounds gives one reading.
TEST(KeywordReadingTest, WaysOfWritingTheSameSoundsReadAlike)
{
    const struct
    {
        const char16_t *a;
        const char16_t *b;
    } alike[] = {
        // width and case
        {u"ｍｅｍｏ", u"memo"},
        {u"ＭＥＭＯ１２", u"memo12"},
        {u"ﾒﾓ", u"メモ"},
        {u"ｶﾞｲﾄﾞ", u"ガイド"},
        {u"ﾊﾟｽ", u"パス"},
        {u"ｳﾞｧ", u"ヴァ"},
        // kana
        {u"めも", u"メモ"},
        {u"でんたく", u"デンタク"},
        // romaji, both ways
        {u"めも", u"memo"},
        {u"でんたく", u"dentaku"},
        {u"しゃしん", u"shashin"},
        {u"しゃしん", u"syasin"},
        {u"ちず", u"chizu"},
        {u"ちず", u"tizu"},
        {u"つき", u"tsuki"},
        {u"つき", u"tuki"},
        {u"ふね", u"fune"},
        {u"ふね", u"hune"},
        {u"じしょ", u"jisho"},
        {u"じしょ", u"zisyo"},
        {u"じゃま", u"jama"},
        {u"じゃま", u"zyama"},
        {u"ちゃ", u"cha"},
        {u"ちゃ", u"tya"},
        {u"きょう", u"kyou"},
        {u"ほん", u"honn"},
        {u"こんにちは", u"konnichiha"},
        {u"しんぶん", u"shimbun"},
        {u"きって", u"kitte"},
        {u"まっちゃ", u"matcha"},
        {u"まっちゃ", u"mattya"},
        {u"まっちゃ", u"maccha"},
        {u"ファイル", u"fairu"},
        {u"ティー", u"ti"},
        {u"を", u"wo"},
        {u"シェル", u"sheru"},
        {u"チェック", u"chekku"},
        {u"ジェット", u"jetto"},
        {u"ウィンドウ", u"windou"},
        {u"ウェブ", u"webu"},
        {u"イェス", u"yesu"},
        {u"クァルテット", u"kwarutetto"},
        {u"つづく", u"tsudzuku"},
        {u"あんない", u"annnai"},
        {u"あんない", u"an'nai"},
        {u"あんない", u"annai"},
        {u"きんえん", u"kin'en"},
        {u"こんにゃく", u"konnyaku"},
        {u"いすゞ", u"isuzu"},
        {u"いすゞ", u"いすず"},
        {u"ハヽ", u"haha"},
        {u"コーヒー", u"ko-hi-"},
        // long vowels
        {u"とうきょう", u"tokyo"},
        {u"とうきょう", u"toukyou"},
        {u"おおさか", u"osaka"},
        {u"メール", u"meeru"},
        {u"メール", u"meru"},
        // the rest stays
        {u"メモ帳", u"memo帳"},
        {u"電卓", u"電卓"},
    };
    for (const auto &c : alike)
        EXPECT_EQ(KeywordReading::of(c.a), KeywordReading::of(c.b))
            << QString::fromUtf16(c.a).toStdString() << " / "
            << QString::fromUtf16(c.b).toStdString();
}

// A text typed so far reaches a keyword whose reading begins with its reading; different
// sounds do not.
TEST(KeywordReadingTest, ATextTypedSoFarReachesByItsBeginning)
{
    const struct
    {
        const char16_t *typed;
        const char16_t *keyword;
        bool reaches;
    } cases[] = {
        {u"me", u"メモ帳", true},        {u"ｍ", u"めも", true},      {u"めも", u"memo", true},
        {u"ﾒﾓ", u"memorandum", true},    {u"sh", u"しゃしん", true},  {u"ts", u"つき", true},
        {u"s", u"しゃしん", true},       {u"ch", u"ちず", true},      {u"cha", u"ちゃ", true},
        {u"memoc", u"メモちょう", true}, {u"j", u"じしょ", true},     {u"ja", u"じゃま", true},
        {u"mo", u"メモ帳", false},       {u"でん", u"dentaku", true}, {u"ぢ", u"dentaku", false},
        {u"kitte", u"きって", true},     {u"kite", u"きって", false}, {u"anai", u"あんない", false},
        {u"kinen", u"きんえん", false},  {u"se", u"シェル", false},   {u"x-t", u"x-term", true},
        {u"xt", u"x-term", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(KeywordReading::of(c.keyword).startsWith(KeywordReading::of(c.typed)), c.reaches)
            << QString::fromUtf16(c.typed).toStdString() << " -> "
            << QString::fromUtf16(c.keyword).toStdString();
}

// Readings shown for typing are written as most users type them, and read back the same.
TEST(KeywordReadingTest, AReadingIsShownInHepburn)
{
    const struct
    {
        const char16_t *keyword;
        const char16_t *shown;
    } cases[] = {
        {u"しゃしん", u"shashin"}, {u"ちゃ", u"cha"},       {u"つふじ", u"tsufuji"},
        {u"まっちゃ", u"matcha"},  {u"じゃま", u"jama"},    {u"きって", u"kitte"},
        {u"シェル", u"sheru"},     {u"あんない", u"annai"}, {u"きんえん", u"kin'en"},
    };
    for (const auto &c : cases) {
        const QString reading = KeywordReading::of(c.keyword);
        EXPECT_EQ(KeywordReading::hepburn(reading), QString::fromUtf16(c.shown));
        EXPECT_EQ(KeywordReading::of(KeywordReading::hepburn(reading)), reading);
    }
}

} // namespace

namespace {

// Kanji read through the dictionary, then as any kana: a kanji keyword is reached by the
// romaji or kana of its reading; what the dictionary cannot read stays as it is.
TEST(KanjiReadingTest, KanjiAreReadThroughTheDictionary)
{
    const struct
    {
        const char16_t *keyword;
        const char16_t *hiragana;
        const char16_t *typed;
    } cases[] = {
        {u"電卓", u"でんたく", u"dentaku"},
        {u"辞書", u"じしょ", u"jisho"},
        {u"メモ帳", u"メモちょう", u"memocho"},
        {u"東京駅", u"とうきょうえき", u"tokyoeki"},
        {u"abc電卓", u"abcでんたく", u"abcden"},
        // a word read whole, its okurigana and ヶ with it
        {u"お知らせ", u"おしらせ", u"oshirase"},
        {u"切り取り", u"きりとり", u"kiritori"},
        {u"霞ヶ関", u"かすみがせき", u"kasumigaseki"},
        {u"新しいタブ", u"あたらしいタブ", u"atarashiitabu"},
        {u"𠮷野家", u"𠮷野家", u"𠮷"}, // outside JIS X 0208: not read
    };
    for (const auto &c : cases) {
        const QString hiragana = KanjiReading::hiraganaOf(c.keyword);
        EXPECT_EQ(hiragana, QString::fromUtf16(c.hiragana));
        EXPECT_TRUE(KeywordReading::of(hiragana).startsWith(KeywordReading::of(c.typed)))
            << hiragana.toStdString();
    }
}

} // namespace

#include "TempFolder.h"

#include "base/ShiftJis.h"
#include "keywords/KeywordReadings.h"
#include "keywords/KeywordStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

#include <sched.h>

namespace {

// Whether the process holds the kakasi dictionary's file open.
bool dictionaryOpen()
{
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget().contains(QStringLiteral("kanwadict")))
            return true;
    return false;
}

// The store's keywords read on a thread of their own: none is reached by its reading before
// they are ready; then the first in list order whose reading begins with the text's; read
// again after the list changes. The dictionary is closed once they are ready.
TEST(KeywordReadingsTest, TheFirstKeywordInListOrderIsReachedOnceTheReadingsAreReady)
{
    TempFolder dir;
    QByteArray list;
    for (const QString &row :
         {QStringLiteral("notes"), QStringLiteral("メモ帳"), QStringLiteral("memo"),
          QStringLiteral("電卓"), QStringLiteral("マック")})
        list += ShiftJis::encodeOrThrow(row) + "\r\n";
    dir.write("data.lst", list);
    KeywordStore store(dir.path());
    store.load();
    KeywordReadings readings(store);
    const auto waitReady = [&readings] {
        const QDeadlineTimer deadline(20000);
        while (!readings.ready() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return readings.ready();
    };
    EXPECT_EQ(readings.find(u"memo"), -1);
    readings.start();
    ASSERT_TRUE(waitReady());
    EXPECT_FALSE(dictionaryOpen());
    const struct
    {
        const char16_t *typed;
        qsizetype row;
    } cases[] = {
        {u"memo", 1},    {u"めも", 1},  {u"ﾒﾓ", 1}, {u"ｍｅｍｏｃ", 1}, {u"memor", -1},
        {u"dentaku", 3}, {u"でん", 3},  {u"no", 0}, {u"", -1},          {u"xyz", -1},
        {u"mac", 4},     {u"makku", 4}, // "c" goes either way: ca (ka) and cha (tya)
    };
    for (const auto &c : cases)
        EXPECT_EQ(readings.find(c.typed), c.row) << QString::fromUtf16(c.typed).toStdString();

    store.rewriteOrder({QStringLiteral("memo"), QStringLiteral("メモ帳")});
    EXPECT_FALSE(readings.ready());
    ASSERT_TRUE(waitReady());
    EXPECT_FALSE(dictionaryOpen());
    EXPECT_EQ(readings.find(u"めも"), 0);
    EXPECT_EQ(readings.find(u"dentaku"), -1);
    // Read again after closing, the dictionary is opened again.
    EXPECT_EQ(KanjiReading::hiraganaOf(u"電卓"), QStringLiteral("でんたく"));
    EXPECT_TRUE(dictionaryOpen());
    KanjiReading::closeDictionary();
    EXPECT_FALSE(dictionaryOpen());
}

} // namespace

namespace {

// A reader's scheduling, from /proc: its nice value and policy; nullopt when no thread of
// that name runs.
struct Scheduling
{
    int nice;
    int policy;
};
std::optional<Scheduling> schedulingOf(const QString &threadName)
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != threadName.toUtf8())
            continue;
        QFile stat(tasks.filePath(task + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // The fields after the name, from the state (the third) on.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 38)
            return Scheduling{fields[16].toInt(), fields[38].toInt()};
    }
    return std::nullopt;
}

// The readers run below the interface's priority, yet not in the idle class, which a busy
// processor starves (while the interface would wait on what they hold).
TEST(KeywordReadingsTest, ReadersRunBelowNormalPriorityButNotIdle)
{
    TempFolder dir;
    QByteArray list;
    for (int i = 0; i < 50000; ++i)
        list += ShiftJis::encodeOrThrow(QStringLiteral("電卓%1").arg(i)) + "\r\n";
    dir.write("data.lst", list);
    KeywordStore store(dir.path());
    store.load();
    KeywordReadings readings(store);
    readings.start();
    std::optional<Scheduling> seen;
    const QDeadlineTimer deadline(20000);
    while (!seen && !readings.ready() && !deadline.hasExpired()) {
        seen = schedulingOf(QStringLiteral("readings"));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(seen) << "the readings were made before their thread was seen";
    EXPECT_GT(seen->nice, 0);
    EXPECT_NE(seen->policy, SCHED_IDLE);
}

} // namespace
