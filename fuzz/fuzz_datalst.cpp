// data.lst as the store reads it: every row kept, rows the code page cannot read written back
// byte for byte, searches agreeing with the plain comparisons, and a new order keeping every
// row's bytes.

#include "FuzzSupport.h"

#include "base/Error.h"
#include "base/ShiftJis.h"
#include "base/TextFile.h"
#include "keywords/KeywordStore.h"
#include "keywords/KeywordText.h"

#include <QTemporaryDir>

#include <algorithm>

namespace {

QList<QByteArray> sortedUnreadable(const QList<QByteArray> &lines)
{
    QList<QByteArray> unreadable;
    for (const QByteArray &line : lines)
        if (ShiftJis::decode(line).contains(QChar::ReplacementCharacter))
            unreadable.append(line);
    std::ranges::sort(unreadable);
    return unreadable;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir folder;
    static const QString listFile = folder.filePath(QStringLiteral("data.lst"));
    const QByteArray input = Fuzz::bytes(data, size).toByteArray();
    Fuzz::writeFile(listFile, input);

    KeywordStore store(folder.path() + u'/');
    store.load();
    const QStringList rows = store.keywords().toList();
    const QList<QByteArray> lines = TextFile::splitLineBytes(input);
    FUZZ_CHECK(rows == TextFile::decodeLines(input));
    FUZZ_CHECK(rows.size() == lines.size());

    // The first equal row and the first row beginning with a row's text.
    for (qsizetype i = 0; i < std::min<qsizetype>(rows.size(), 32); ++i) {
        const qsizetype equal = store.find(rows[i]);
        FUZZ_CHECK(equal >= 0 && equal <= i && KeywordText::equal(rows[equal], rows[i]));
        for (qsizetype j = 0; j < equal; ++j)
            FUZZ_CHECK(!KeywordText::equal(rows[j], rows[i]));
        const qsizetype last = store.findLast(rows[i]);
        FUZZ_CHECK(last >= i && KeywordText::equal(rows[last], rows[i]));
        const qsizetype prefix = store.findPrefix(rows[i]);
        FUZZ_CHECK(prefix >= 0 && prefix <= equal && KeywordText::startsWith(rows[prefix], rows[i]));
        for (qsizetype j = 0; j < prefix; ++j)
            FUZZ_CHECK(!KeywordText::startsWith(rows[j], rows[i]));
    }

    // Written back: an unreadable row as its own bytes, a readable one as the same text.
    store.save();
    const QList<QByteArray> saved = TextFile::splitLineBytes(TextFile::readBytes(listFile));
    FUZZ_CHECK(saved.size() == rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].contains(QChar::ReplacementCharacter))
            FUZZ_CHECK(saved[i] == lines[i]);
        else
            FUZZ_CHECK(ShiftJis::decode(saved[i]) == rows[i]);
    }

    // In another order, every unreadable row's bytes are still there, each once.
    QStringList reversed = rows;
    std::ranges::reverse(reversed);
    store.rewriteOrder(reversed);
    FUZZ_CHECK(store.keywords() == reversed);
    FUZZ_CHECK(sortedUnreadable(TextFile::splitLineBytes(TextFile::readBytes(listFile)))
               == sortedUnreadable(lines));
    return 0;
}
