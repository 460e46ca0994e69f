// The settings file as the profile reader and writer handle it. The last three lines of the
// input are a section, a key and a value (UTF-8); the lines before them are the file's bytes.
// The value found is also read as the settings readers do: cut to a byte length, and as an
// integer.

#include "FuzzSupport.h"

#include "base/Error.h"
#include "base/ShiftJis.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

QString trimmedAsRead(QStringView value)
{
    value = trimBlanks(value);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

QStringView trimSpaces(QStringView name)
{
    while (name.startsWith(u' '))
        name = name.sliced(1);
    while (name.endsWith(u' '))
        name.chop(1);
    return name;
}

// The lookup as the class describes it, line by line over the whole file decoded at once.
std::optional<QString> valueByRules(QByteArrayView file, QStringView section, QStringView key)
{
    section = trimSpaces(section);
    key = trimSpaces(key);
    const QString text = ShiftJis::decode(file);
    bool inSection = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\r' && text[i] != u'\n')
            continue;
        const QStringView line = trimBlanks(QStringView(text).sliced(start, i - start));
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            if (inSection)
                return std::nullopt; // only the first section of the name counts
            const QStringView name = line.sliced(1);
            const qsizetype close = name.indexOf(u']');
            inSection = trimBlanks(close < 0 ? name : name.first(close))
                            .compare(section, Qt::CaseInsensitive)
                        == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inSection && equals >= 0
            && trimBlanks(line.first(equals)).compare(key, Qt::CaseInsensitive) == 0)
            return trimmedAsRead(line.sliced(equals + 1));
    }
    return std::nullopt;
}

// A name the file can hold as it is given: nothing that would end its line, start a comment or
// another section, end it early, or read back as another character.
bool isPlainName(QStringView name, bool isKey)
{
    name = trimSpaces(name);
    if (!name.isEmpty() && (isBlank(name.front()) || isBlank(name.back())))
        return false;
    if (name.contains(u'\r') || name.contains(u'\n'))
        return false;
    if (isKey)
        return !name.contains(u'=') && !name.startsWith(u';') && !name.startsWith(u'[');
    return !name.contains(u']');
}

QList<QByteArrayView> linesWithEnds(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lines.append(bytes.sliced(start, i + 1 - start));
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

qsizetype cp932Size(QStringView text)
{
    const std::optional<QByteArray> bytes = ShiftJis::encode(text);
    return bytes ? bytes->size() : -1;
}

void checkCut(const QString &text, int maxBytes)
{
    const QString cut = IniFile::cutToBytes(text, maxBytes);
    FUZZ_CHECK(text.startsWith(cut));
    if (cp932Size(text) < 0)
        return;
    FUZZ_CHECK(cp932Size(cut) <= maxBytes);
    if (cut.size() < text.size())
        FUZZ_CHECK(cp932Size(QStringView(text).first(cut.size() + 1)) > maxBytes);
}

void checkReaders(const QString &value)
{
    for (int maxBytes : {0, 1, 2, 3, 5, 8})
        checkCut(value, maxBytes);
    FUZZ_CHECK(IniFile::parseInteger(value) == Fuzz::integerByLibrary(value, false));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArrayView file = Fuzz::bytes(data, size);
    QString fields[3];
    for (int i = 2; i >= 0; --i) {
        const qsizetype lf = file.lastIndexOf('\n');
        if (lf < 0)
            break;
        fields[i] = QString::fromUtf8(file.sliced(lf + 1));
        file = file.first(lf);
    }
    const QString &section = fields[0];
    const QString &key = fields[1];
    const QString &value = fields[2];

    IniDocument document{file.toByteArray()};
    const std::optional<QString> found = document.value(section, key);
    FUZZ_CHECK(found == valueByRules(file, section, key));
    if (found)
        checkReaders(*found);
    checkReaders(value);

    const QByteArray before = document.bytes();
    try {
        document.setValue(section, key, value);
    } catch (const Error &) {
        // Refused text changes nothing.
        FUZZ_CHECK(document.bytes() == before);
        return 0;
    }

    // Every other line stays as it was: at most one line (the entry's, or the last one when
    // it had no line end) is replaced, and any new lines go in at one place.
    const QList<QByteArrayView> oldLines = linesWithEnds(before);
    const QList<QByteArrayView> newLines = linesWithEnds(document.bytes());
    const qsizetype common = std::min(oldLines.size(), newLines.size());
    qsizetype same = 0;
    while (same < common && oldLines[same] == newLines[same])
        ++same;
    qsizetype sameAtEnd = 0;
    while (same + sameAtEnd < common
           && oldLines[oldLines.size() - 1 - sameAtEnd]
                  == newLines[newLines.size() - 1 - sameAtEnd])
        ++sameAtEnd;
    FUZZ_CHECK(oldLines.size() - same - sameAtEnd <= 1);

    // What was written reads back, up to its first line break and trimmed as the reader trims.
    if (!isPlainName(section, false) || !isPlainName(key, true))
        return 0;
    QString written = value;
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (written[i] == u'\r' || written[i] == u'\n' || written[i] == u'\0') {
            written.truncate(i);
            break;
        }
    }
    FUZZ_CHECK(document.value(section, key) == trimmedAsRead(written));
    return 0;
}
