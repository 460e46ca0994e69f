#include "platform/linux/LinuxShell.h"

#include "base/Error.h"

#include "QtPrinters.h"
#include "TempFolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <utility>

namespace {

// A script that writes its arguments, one per line, to a marker file.
QString markerScript(const TempFolder &dir)
{
    dir.write("bin/mark", QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n")
                              .arg(dir.file("marker"))
                              .toUtf8());
    QFile::setPermissions(dir.file("bin/mark"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir.file("bin/mark");
}

QByteArray waitForMarker(const TempFolder &dir)
{
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const QByteArray bytes = dir.read("marker");
        if (bytes.endsWith('\n'))
            return bytes;
        QThread::msleep(10);
    }
    return {};
}

TEST(LinuxShell, StartsAProgramWithItsParametersSplitAsAShellWould)
{
    TempFolder dir;
    LinuxShell shell;
    shell.open(markerScript(dir), QStringLiteral("--flag \"two words\" 'x y'"));
    EXPECT_EQ(waitForMarker(dir), QByteArray("--flag\ntwo words\nx y\n"));
}

TEST(LinuxShell, HandsAFileOverAsOneParameter)
{
    TempFolder dir;
    LinuxShell shell;
    shell.openWithFile(markerScript(dir), QStringLiteral("/home/u/My Documents/'a' b.txt"));
    EXPECT_EQ(waitForMarker(dir), QByteArray("/home/u/My Documents/'a' b.txt\n"));
}

TEST(LinuxShell, FindsCommandsOnThePath)
{
    TempFolder dir;
    markerScript(dir);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.file("bin")) + ':' + path);
    LinuxShell shell;
    shell.open(QStringLiteral("mark"), QStringLiteral("a"));
    qputenv("PATH", path);
    EXPECT_EQ(waitForMarker(dir), QByteArray("a\n"));
}

TEST(LinuxShell, LaunchesDesktopFiles)
{
    TempFolder dir;
    const QString script = markerScript(dir);
    dir.write("app.desktop",
              QStringLiteral("[Desktop Entry]\nType=Application\nExec=%1 --from-desktop %F\n")
                  .arg(script)
                  .toUtf8());
    LinuxShell shell;
    shell.open(dir.file("app.desktop"), QStringLiteral("file1"));
    EXPECT_EQ(waitForMarker(dir), QByteArray("--from-desktop\nfile1\n"));
}

TEST(LinuxShell, ReportsWhatCannotBeOpened)
{
    LinuxShell shell;
    for (const QString &target : QStringList{"/no/such/program", "no-such-command-anywhere", ""})
        EXPECT_THROW(shell.open(target, QString()), Error) << target.toStdString();
}

TEST(Shell, TellsAddressesFromPaths)
{
    const std::pair<const char *, bool> cases[] = {
        {"http://example.com", true},
        {"mailto:a@b", true},
        {"svn+ssh://h/r", true},
        {"x-scheme.1:z", true},
        {"C:\\Windows", false},
        {"c:", false},
        {"/usr/bin/env", false},
        {"1http://x", false},
        {"ht tp://x", false},
        {"", false},
        {"memo", false},
        {"éa://x", false},
    };
    for (const auto &[target, address] : cases)
        EXPECT_EQ(Shell::isAddress(QString::fromUtf8(target)), address) << target;
}

} // namespace
