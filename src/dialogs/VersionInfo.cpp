#include "VersionInfo.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QList>

#include <algorithm>

namespace {

// The record's section, as cmake/VersionRecord.cmake names it.
constexpr char RecordSection[] = TB_VERSION_SECTION;

// A version as the record holds it: printable ASCII ("1.2.0.5"). Other bytes are a damaged
// file, whose version is then unknown rather than shown garbled.
bool printable(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}
constexpr quint32 NoBitsSection = 8; // SHT_NOBITS: a section with no bytes in the file
// Nothing this reader needs is bigger; a larger claim is garbage, not worth allocating for.
constexpr quint64 MaxRead = 1 << 20;

// One ELF file, 32- or 64-bit, of either byte order. Every read is checked against the
// file's size first, so a truncated or garbage file gives nothing rather than a bad read.
class ElfFile
{
public:
    explicit ElfFile(QIODevice &file)
        : m_file(file)
    {
    }

    QString fileVersion()
    {
        if (!m_file.isReadable() || m_file.isSequential() || !readIdentification())
            return {};
        const QByteArray header = read(0, m_wide ? 64 : 52);
        if (header.isEmpty())
            return {};
        const quint64 tableOffset = field(header, m_wide ? 0x28 : 0x20, m_wide ? 8 : 4);
        const quint64 entrySize = field(header, m_wide ? 0x3A : 0x2E, 2);
        const quint64 count = field(header, m_wide ? 0x3C : 0x30, 2);
        const quint64 namesIndex = field(header, m_wide ? 0x3E : 0x32, 2);
        // A count of 0 or a names index beyond it is how files with more sections than the
        // header holds begin; no program of ours is one.
        if (entrySize < (m_wide ? 64u : 40u) || namesIndex >= count)
            return {};
        const QByteArray table = read(tableOffset, count * entrySize);
        if (table.isEmpty())
            return {};
        const auto section = [&](quint64 index) {
            return QByteArrayView(table).sliced(qsizetype(index * entrySize), qsizetype(entrySize));
        };
        const QByteArray names = contents(section(namesIndex));
        for (quint64 i = 0; i < count; ++i) {
            const quint64 nameAt = field(section(i), 0, 4);
            if (nameAt >= quint64(names.size()) || name(names, nameAt) != RecordSection)
                continue;
            const QList<QByteArray> texts = contents(section(i)).split('\0');
            for (qsizetype pair = 0; pair + 1 < texts.size(); pair += 2)
                if (texts[pair] == "FileVersion")
                    return printable(texts[pair + 1]) ? QString::fromLatin1(texts[pair + 1])
                                                      : QString();
            return {};
        }
        return {};
    }

private:
    bool readIdentification()
    {
        const QByteArray ident = read(0, 16);
        if (!ident.startsWith("\177ELF"))
            return false;
        const char elfClass = ident[4], byteOrder = ident[5];
        m_wide = elfClass == 2;
        m_bigEndian = byteOrder == 2;
        return (elfClass == 1 || elfClass == 2) && (byteOrder == 1 || byteOrder == 2);
    }

    // The section's bytes in the file, from its header entry.
    QByteArray contents(QByteArrayView header)
    {
        if (field(header, 4, 4) == NoBitsSection)
            return {};
        return read(field(header, m_wide ? 24 : 16, m_wide ? 8 : 4),
                    field(header, m_wide ? 32 : 20, m_wide ? 8 : 4));
    }

    // The zero-terminated name at the offset of the names section (the caller checked that
    // it lies within); a name running to the section's end is cut there.
    static QByteArrayView name(const QByteArray &names, quint64 offset)
    {
        const QByteArrayView rest = QByteArrayView(names).sliced(qsizetype(offset));
        const qsizetype end = rest.indexOf('\0');
        return end < 0 ? rest : rest.first(end);
    }

    // `size` bytes at `offset`, or nothing unless all of them lie in the file.
    QByteArray read(quint64 offset, quint64 size)
    {
        const auto fileSize = quint64(m_file.size());
        if (size == 0 || size > MaxRead || offset > fileSize || size > fileSize - offset
            || !m_file.seek(qint64(offset)))
            return {};
        QByteArray bytes = m_file.read(qint64(size));
        return quint64(bytes.size()) == size ? bytes : QByteArray();
    }

    // An unsigned field of `width` bytes at `at`, in the file's byte order. The callers
    // read only within the header or entry they checked the size of.
    quint64 field(QByteArrayView bytes, qsizetype at, int width) const
    {
        quint64 value = 0;
        for (int i = 0; i < width; ++i)
            value = value << 8 | uchar(bytes[at + (m_bigEndian ? i : width - 1 - i)]);
        return value;
    }

    QIODevice &m_file;
    bool m_wide = false;
    bool m_bigEndian = false;
};

} // namespace

namespace VersionInfo {

QString fileVersion(const QString &path)
{
    QFile file(path);
    // Unbuffered: a few exact reads rather than a buffer of 16 KiB for each.
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? fileVersion(file) : QString();
}

QString fileVersion(QIODevice &file)
{
    return ElfFile(file).fileVersion();
}

} // namespace VersionInfo
