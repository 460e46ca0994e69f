// An entry file as the store reads it, by its first three lines: the same lines as a whole
// read gives, also when they straddle the reader's 64 KiB blocks, and an entry written back
// reads as itself.

#include "FuzzSupport.h"

#include "base/Error.h"
#include "base/TextFile.h"
#include "keywords/Entry.h"
#include "keywords/KeywordStore.h"

#include <QTemporaryDir>

namespace {

// The first lines are those of a whole read.
QStringList checkFirstLines(const QString &path)
{
    const QStringList first = TextFile::readFirstLines(path, 3);
    FUZZ_CHECK(first == TextFile::readLines(path).mid(0, 3));
    return first;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("entry"));
    const QByteArray input = Fuzz::bytes(data, size).toByteArray();

    Fuzz::writeFile(path, input);
    const QStringList first = checkFirstLines(path);
    const Entry entry = KeywordStore::readEntryFile(path);
    FUZZ_CHECK(KeywordStore::entryLines(entry) == (first + QStringList(3, QString())).mid(0, 3));

    // Written back, the entry reads as itself, unless it holds text the code page cannot write.
    try {
        TextFile::writeLines(path, KeywordStore::entryLines(entry));
        FUZZ_CHECK(KeywordStore::readEntryFile(path) == entry);
    } catch (const Error &) {
        FUZZ_CHECK(KeywordStore::entryLines(entry).join(QString()).contains(QChar(0xFFFD)));
    }

    // The input after a first line that fills the first block but for 1 to 16 bytes.
    if (!input.isEmpty()) {
        const qsizetype left = 1 + (uchar(input[0]) & 15);
        Fuzz::writeFile(path, QByteArray(65536 - left, 'a') + input.sliced(1));
        checkFirstLines(path);
    }
    return 0;
}
