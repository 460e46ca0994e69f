#include "DesktopEntry.h"

#include "ShellWords.h"

#include <QFile>

namespace {

// The escapes of a desktop file's string values.
QString unescape(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        default:
            out += u'\\';
            out += next;
            break; // left for the Exec quoting rules
        }
    }
    return out;
}

} // namespace

bool DesktopEntry::isDesktopFile(const QString &path)
{
    return path.endsWith(QStringLiteral(".desktop"), Qt::CaseInsensitive);
}

DesktopEntry DesktopEntry::read(const QString &path)
{
    DesktopEntry entry;
    entry.m_file = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entry;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            if (inGroup)
                break;
            inGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        if (!inGroup || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = unescape(QStringView(line).mid(eq + 1).trimmed());
        if (key == QStringLiteral("Exec"))
            entry.m_exec = value;
        else if (key == QStringLiteral("Icon"))
            entry.m_icon = value;
        else if (key == QStringLiteral("Name"))
            entry.m_name = value;
        else if (key == QStringLiteral("Path"))
            entry.m_path = value;
        else if (key == QStringLiteral("Terminal"))
            entry.m_terminal = value == QStringLiteral("true");
        else if (key == QStringLiteral("Hidden"))
            entry.m_hidden = value == QStringLiteral("true");
        else if (key == QStringLiteral("NoDisplay"))
            entry.m_noDisplay = value == QStringLiteral("true");
    }
    return entry;
}

QStringList DesktopEntry::command(const QStringList &arguments) const
{
    QStringList words;
    for (const QString &word : ShellWords::split(m_exec)) {
        if (word == QStringLiteral("%f") || word == QStringLiteral("%u")) {
            if (!arguments.isEmpty())
                words.append(arguments.first());
        } else if (word == QStringLiteral("%F") || word == QStringLiteral("%U")) {
            words.append(arguments);
        } else if (word == QStringLiteral("%i")) {
            if (!m_icon.isEmpty())
                words << QStringLiteral("--icon") << m_icon;
        } else {
            QString out;
            for (qsizetype i = 0; i < word.size(); ++i) {
                if (word[i] != u'%' || i + 1 == word.size()) {
                    out += word[i];
                    continue;
                }
                const QChar code = word[++i];
                if (code == u'%')
                    out += u'%';
                else if (code == u'c')
                    out += m_name;
                else if (code == u'k')
                    out += m_file;
                // Every other code, deprecated ones included, is dropped.
            }
            if (!out.isEmpty())
                words.append(out);
        }
    }
    if (m_terminal && !words.isEmpty())
        words = QStringList{QStringLiteral("x-terminal-emulator"), QStringLiteral("-e")} + words;
    return words;
}
