#include "IniFile.h"

#include "IniDocument.h"

#include "base/Error.h"
#include "base/Messages.h"
#include "base/ShiftJis.h"
#include "base/TextFile.h"

#include <QFileInfo>

#include <limits>
#include <utility>

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

QString IniFile::readString(QStringView section, QStringView key, QStringView defaultValue) const
{
    std::optional<QString> value;
    if (m_held) {
        if (*m_held)
            value = (*m_held)->value(section, key);
    } else {
        try {
            value = IniDocument(TextFile::readBytes(m_path)).value(section, key);
        } catch (const Error &) {
            // A file that is missing or cannot be read holds no keys: the default applies.
        }
    }
    if (!value) {
        while (defaultValue.endsWith(u' '))
            defaultValue.chop(1);
        value = defaultValue.toString();
    }
    return cutToBytes(*value, MaxValueBytes);
}

IniFile IniFile::snapshot() const
{
    std::optional<IniDocument> document;
    try {
        document.emplace(TextFile::readBytes(m_path));
    } catch (const Error &) {
    }
    IniFile copy(m_path);
    copy.m_held = std::make_shared<const std::optional<IniDocument>>(std::move(document));
    return copy;
}

void IniFile::writeString(QStringView section, QStringView key, QStringView value) const
{
    QByteArray bytes;
    if (QFileInfo::exists(m_path)) {
        try {
            bytes = TextFile::readBytes(m_path);
        } catch (const Error &) {
            throw Error(Messages::cannotWriteFile(m_path));
        }
    }
    IniDocument document(std::move(bytes));
    document.setValue(section, key, value);
    try {
        TextFile::writeBytes(m_path, document.bytes());
    } catch (const Error &) {
        throw Error(Messages::cannotWriteFile(m_path));
    }
}

bool IniFile::readBool(QStringView section, QStringView key, bool defaultValue) const
{
    const std::optional<int> number = parseInteger(readString(section, key, {}));
    return number ? *number != 0 : defaultValue;
}

void IniFile::writeBool(QStringView section, QStringView key, bool value) const
{
    writeString(section, key, value ? u"1" : u"0");
}

std::optional<int> IniFile::parseInteger(QStringView text)
{
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.sliced(1);
    } else if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.sliced(2);
    }
    if (text.isEmpty())
        return std::nullopt;

    // Hexadecimal covers the 32 bits ($FFFFFFFF is -1); decimal stays within int's range.
    const qint64 limit =
        base == 16 ? qint64(0xFFFFFFFF) : qint64(std::numeric_limits<int>::max()) + negative;
    qint64 number = 0;
    for (QChar c : text) {
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c.unicode() - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c.unicode() - u'A' + 10;
        else
            return std::nullopt;
        number = number * base + digit;
        if (number > limit)
            return std::nullopt;
    }
    if (negative)
        number = -number;
    return static_cast<int>(static_cast<quint32>(number));
}

QString IniFile::cutToBytes(const QString &text, int maxBytes)
{
    // A character takes at most two bytes, so short texts need no counting.
    if (text.size() * 2 <= maxBytes)
        return text;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        qsizetype width = 1;
        if (c.unicode() >= 0x80) {
            // A character the code page cannot hold stands for one undecodable byte.
            const std::optional<QByteArray> encoded = ShiftJis::encode(QStringView(&c, 1));
            width = encoded ? encoded->size() : 1;
        }
        if (bytes + width > maxBytes)
            return text.first(i);
        bytes += width;
    }
    return text;
}
