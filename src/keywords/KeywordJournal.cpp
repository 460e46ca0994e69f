#include "KeywordJournal.h"

#include "base/FileSystem.h"
#include "base/TextFile.h"

namespace {

// The journal is the program's own: names as the file system spells them, one step a line
// pair, so that any name a row can have is written whole.
const QByteArray kListed = "listed";
const QByteArray kUnlisted = "unlisted";

} // namespace

KeywordJournal::KeywordJournal(QString path)
    : m_path(std::move(path))
{
}

bool KeywordJournal::pending() const
{
    return FileSystem::exists(m_path);
}

void KeywordJournal::begin(const QList<Step> &steps) const
{
    QByteArray bytes;
    for (const Step &step : steps)
        bytes += (step.listed ? kListed : kUnlisted) + '\n' + step.fileName.toUtf8() + '\n';
    TextFile::writeBytes(m_path, bytes);
}

void KeywordJournal::end() const
{
    FileSystem::removeFile(m_path);
}

QList<KeywordJournal::Step> KeywordJournal::read() const
{
    const QList<QByteArray> lines = TextFile::splitLineBytes(TextFile::readBytes(m_path));
    QList<Step> steps;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        const QByteArray &kind = lines[i];
        if ((kind == kListed || kind == kUnlisted) && !lines[i + 1].isEmpty())
            steps.append({QString::fromUtf8(lines[i + 1]), kind == kListed});
    }
    return steps;
}
