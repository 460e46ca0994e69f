#include "HelperApplications.h"

#include "DesktopApplications.h"
#include "GioApplications.h"
#include "base/Error.h"
#include "platform/PlatformMessages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

namespace {

// Long enough for a cold start reading a few thousand entries off a slow disk.
constexpr int ReadingTime = 60000;
// How often a reading looks whether it is to stop.
constexpr int StopLook = 50;
// GLib's spawn returns as soon as the program is running.
constexpr int LaunchTime = 15000;

QString text(QByteArrayView utf8)
{
    return QString::fromUtf8(utf8);
}

// The helper started with nothing to read, its answer on its output and its complaints where
// ours go.
void start(QProcess &helper, const QString &program, const QStringList &arguments)
{
    helper.setStandardInputFile(QProcess::nullDevice());
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(program, arguments);
}

} // namespace

HelperApplications::HelperApplications()
    : HelperApplications(DesktopApplications::ofEnvironment().applications, installedHelper())
{
}

HelperApplications::HelperApplications(QStringList folders, QString helper)
    : m_folders(std::move(folders))
    , m_helper(std::move(helper))
{
}

QString HelperApplications::installedHelper()
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QStringLiteral("/tblaunch-applications");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return folder + QStringLiteral("/" TB_HELPER_FROM_PROGRAM);
}

QList<InstalledApplication> HelperApplications::read(const std::atomic<bool> &stop) const
{
    QProcess helper;
    start(helper, m_helper, m_folders);
    const QDeadlineTimer deadline(ReadingTime);
    // Looked at now and then, so that the program ends at once however slow the disk.
    while (!helper.waitForFinished(StopLook) && helper.state() != QProcess::NotRunning) {
        if (stop.load() || deadline.hasExpired()) {
            helper.kill();
            helper.waitForFinished();
            break;
        }
    }
    if (stop.load())
        return {};
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0)
        std::fprintf(stderr, "tblaunch: the installed applications were not read: %s: %s\n",
                     qPrintable(m_helper), qPrintable(helper.errorString()));
    // What was written whole is kept, even from a helper that did not end well.
    const QByteArray out = helper.readAllStandardOutput();
    QList<InstalledApplication> applications;
    QByteArrayView fields[GioApplications::Fields];
    int count = 0;
    for (qsizetype begin = 0, end; (end = out.indexOf('\0', begin)) >= 0; begin = end + 1) {
        fields[count++] = QByteArrayView(out).sliced(begin, end - begin);
        if (count < GioApplications::Fields)
            continue;
        count = 0;
        InstalledApplication application{QFile::decodeName(fields[0].toByteArray()),
                                         text(fields[1]),
                                         text(fields[2]),
                                         text(fields[3]),
                                         {},
                                         text(fields[5])};
        for (const QByteArray &keyword :
             fields[4].toByteArray().split(GioApplications::KeywordSeparator))
            if (!keyword.isEmpty())
                application.keywords.append(text(keyword));
        applications.append(std::move(application));
    }
    return applications;
}

void HelperApplications::launch(const QString &file)
{
    QProcess helper;
    start(helper, m_helper, {QStringLiteral("--launch"), file});
    if (!helper.waitForFinished(LaunchTime) || helper.exitStatus() != QProcess::NormalExit)
        throw Error(PlatformMessages::cannotStart(file, helper.errorString()));
    const QString said = text(helper.readAllStandardOutput());
    switch (helper.exitCode()) {
    case GioApplications::Started:
        return;
    case GioApplications::NotFound:
        throw Error(PlatformMessages::targetNotFound(said.isEmpty() ? file : said));
    default: {
        const QString name = said.section(u'\n', 0, 0);
        throw Error(
            PlatformMessages::cannotStart(name.isEmpty() ? file : name, said.section(u'\n', 1)));
    }
    }
}
