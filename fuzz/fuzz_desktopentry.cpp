// A ".desktop" file registered as an entry's target: the input is the file's bytes, written to
// a temporary file since the reader takes a path.

#include "FuzzSupport.h"

#include "platform/linux/DesktopEntry.h"

#include <QTemporaryDir>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir folder;
    static const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("e.desktop")));
    std::FILE *file = std::fopen(path.constData(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);

    const DesktopEntry entry = DesktopEntry::read(QFile::decodeName(path));

    // A file argument is passed whole, spaces and all; the marker tells it from text of the
    // file itself.
    const QString argument = QStringLiteral("/tmp/\uE000 a file.txt");
    const QStringList withFile = entry.command({argument, QStringLiteral("second")});
    const QStringList bare = entry.command({});
    if (entry.exec().isEmpty()) {
        FUZZ_CHECK(withFile.isEmpty() && bare.isEmpty());
        return 0;
    }
    const QString fileText = entry.exec() + entry.name() + entry.icon();
    if (!fileText.contains(QChar(0xE000))) {
        for (const QString &word : withFile)
            FUZZ_CHECK(!word.contains(QChar(0xE000)) || word == argument);
        for (const QString &word : bare)
            FUZZ_CHECK(!word.contains(QChar(0xE000)));
    }
    return 0;
}
