#include "IniDocument.h"

#include "base/ShiftJis.h"

#include <utility>

namespace {

const QByteArray lineEnd = QByteArrayLiteral("\r\n");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// Names passed in lose their spaces only, as the profile functions do it.
QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquote(const QString &value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// A line's content is bytes [begin, end); the next line starts at next.
struct Line
{
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;

    bool hasLineEnd() const { return next > end; }
};

// CR and LF are never part of a double-byte character, so the lines can be found in the
// bytes and each decoded on its own; the rest of the parsing works on the decoded text.
template <typename Visit> void forEachLine(const QByteArray &bytes, Visit visit)
{
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype begin = 0;
    while (begin < size) {
        qsizetype end = begin;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < size)
            next += (data[next] == '\r' && next + 1 < size && data[next + 1] == '\n') ? 2 : 1;
        if (!visit(Line{begin, end, next}))
            return;
        begin = next;
    }
}

enum class Kind { Blank, Comment, Section, Entry, Other };

struct Parsed
{
    Kind kind = Kind::Blank;
    QStringView name;
    QStringView value;
};

Parsed parse(QStringView line)
{
    const QStringView text = trimBlanks(line);
    if (text.isEmpty())
        return {Kind::Blank, {}, {}};
    if (text.front() == u';')
        return {Kind::Comment, {}, {}};
    if (text.front() == u'[') {
        QStringView name = text.sliced(1);
        const qsizetype close = name.indexOf(u']');
        if (close >= 0)
            name = name.first(close);
        return {Kind::Section, trimBlanks(name), {}};
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {Kind::Other, {}, {}};
    return {Kind::Entry, trimBlanks(text.first(equals)), trimBlanks(text.sliced(equals + 1))};
}

struct Found
{
    std::optional<Line> section; // the header of the first section of the name
    Line lastContent;            // its last non-blank line
    std::optional<Line> entry;   // the first entry of the key in it
    QString value;               // that entry's value, quotes not yet removed
};

Found find(const QByteArray &bytes, QStringView section, QStringView key)
{
    Found found;
    forEachLine(bytes, [&](const Line &line) {
        const QString text =
            ShiftJis::decode(QByteArrayView(bytes).sliced(line.begin, line.end - line.begin));
        const Parsed parsed = parse(text);
        if (parsed.kind == Kind::Section) {
            if (found.section)
                return false; // later sections of the same name do not count
            if (sameName(parsed.name, section)) {
                found.section = line;
                found.lastContent = line;
            }
            return true;
        }
        if (!found.section || parsed.kind == Kind::Blank)
            return true;
        found.lastContent = line;
        if (parsed.kind == Kind::Entry && sameName(parsed.name, key)) {
            found.entry = line;
            found.value = parsed.value.toString();
            return false;
        }
        return true;
    });
    return found;
}

} // namespace

IniDocument::IniDocument(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const
{
    const Found found = find(m_bytes, trimSpaces(section), trimSpaces(key));
    if (!found.entry)
        return std::nullopt;
    return unquote(found.value);
}

void IniDocument::setValue(QStringView section, QStringView key, QStringView value)
{
    section = trimSpaces(section);
    key = trimSpaces(key);
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\r' || value[i] == u'\n' || value[i] == u'\0') {
            value = value.first(i);
            break;
        }
    }
    // Everything is encoded first, so that text the code page refuses changes nothing.
    const QByteArray valueBytes = ShiftJis::encodeOrThrow(value);
    const QByteArray keyBytes = ShiftJis::encodeOrThrow(key);
    const QByteArray sectionBytes = ShiftJis::encodeOrThrow(section);

    const Found found = find(m_bytes, section, key);
    if (found.entry) {
        // The key keeps its spelling and everything up to the "=", which is a single-byte
        // character that no double-byte character contains.
        const Line &line = *found.entry;
        const qsizetype valueStart = m_bytes.indexOf('=', line.begin) + 1;
        QByteArray replacement = valueBytes;
        if (!line.hasLineEnd())
            replacement += lineEnd;
        m_bytes.replace(valueStart, line.end - valueStart, replacement);
        return;
    }

    const QByteArray entry = keyBytes + '=' + valueBytes + lineEnd;
    if (found.section) {
        const Line &last = found.lastContent;
        if (last.hasLineEnd())
            m_bytes.insert(last.next, entry);
        else
            m_bytes.insert(last.end, lineEnd + entry);
        return;
    }

    if (!m_bytes.isEmpty() && !m_bytes.endsWith('\n') && !m_bytes.endsWith('\r'))
        m_bytes += lineEnd;
    m_bytes += '[' + sectionBytes + ']' + lineEnd + entry;
}
