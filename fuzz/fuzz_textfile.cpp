// A data file as the readers take it (decoded, then cut into lines), and the writer's bytes for
// those lines read back.

#include "FuzzSupport.h"

#include "base/Error.h"
#include "base/ShiftJis.h"
#include "base/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = ShiftJis::decode(Fuzz::bytes(data, size));
    const QStringList lines = TextFile::splitLines(text);

    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));

    // Every line end is one of CR LF, CR, LF; the last line needs none.
    QString expected = text;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const qsizetype lineEnds = expected.count(u'\n');
    if (expected.endsWith(u'\n'))
        expected.chop(1);
    FUZZ_CHECK(lines.join(u'\n') == expected);
    FUZZ_CHECK(lines.size()
               == lineEnds
                      + (text.isEmpty() || text.back() == u'\n' || text.back() == u'\r' ? 0 : 1));

    // What the writer makes of the lines reads back as the same lines. Bad bytes read as
    // U+FFFD, which the code page cannot hold, so the writer may refuse.
    QByteArray written;
    try {
        written = TextFile::encodeLines(lines);
    } catch (const Error &) {
        FUZZ_CHECK(text.contains(QChar(0xFFFD)));
        return 0;
    }
    FUZZ_CHECK(TextFile::splitLines(ShiftJis::decode(written)) == lines);
    return 0;
}
