#include "TempFolder.h"

#include "base/Error.h"
#include "platform/linux/HelperApplications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// The helper reads the desktop and the language from the environment it inherits.
const bool environmentSet = qputenv("XDG_CURRENT_DESKTOP", "TEST") && qputenv("LANGUAGE", "ja");

class HelperApplicationsTest : public testing::Test
{
protected:
    void entry(const QString &folder, const QString &id, const QByteArray &text) const
    {
        temp.write(folder + QStringLiteral("/applications/") + id, text);
    }

    // A shell script in the temporary folder, made executable: its path.
    QString script(const QString &name, const QByteArray &text) const
    {
        temp.write(name, "#!/bin/sh\n" + text);
        const QString path = temp.file(name);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }

    // Whether the file is there within the time, the events handled meanwhile.
    static bool appears(const QString &path, int milliseconds = 15000)
    {
        const QDeadlineTimer deadline(milliseconds);
        while (!QFile::exists(path) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return QFile::exists(path);
    }

    HelperApplications applications() const
    {
        return HelperApplications({temp.file(QStringLiteral("user/applications")),
                                   temp.file(QStringLiteral("system/applications"))},
                                  QStringLiteral(TB_APPLICATIONS_HELPER));
    }

    TempFolder temp;
    const std::atomic<bool> never{false};
};

// Which entries the menu shows, under which names, and what else finds them.
TEST_F(HelperApplicationsTest, TheEntriesAreReadAsTheMenuShowsThem)
{
    ASSERT_TRUE(environmentSet);
    struct Case
    {
        const char *folder;
        const char *id;
        QByteArray lines; // after the group and Type=Application, unless it says otherwise
        const char *name; // empty: not shown
    };
    const QByteArray head = "[Desktop Entry]\nType=Application\n";
    const Case cases[] = {
        {"system", "plain.desktop", "Name=Plain\nExec=true\n", "Plain"},
        {"system", "calc.desktop",
         "Name=Calculator\nName[ja]=電卓\nComment=Calculates\nComment[ja]=計算を行います\n"
         "Exec=true\n",
         "電卓"},
        {"system", "web.desktop",
         "Name=Web\nGenericName=Web Browser\nKeywords=internet;browser;\n"
         "Exec=/usr/bin/env --private %u\n",
         "Web"},
        {"system", "nodisplay.desktop", "Name=NoDisplay\nExec=true\nNoDisplay=true\n", ""},
        {"system", "hidden.desktop", "Name=Hidden\nExec=true\nHidden=true\n", ""},
        {"system", "elsewhere.desktop", "Name=Elsewhere\nExec=true\nOnlyShowIn=OTHER;\n", ""},
        {"system", "here.desktop", "Name=Here\nExec=true\nOnlyShowIn=OTHER;TEST;\n", "Here"},
        {"system", "nothere.desktop", "Name=NotHere\nExec=true\nNotShowIn=TEST;\n", ""},
        {"system", "tryexec.desktop", "Name=TryExec\nExec=true\nTryExec=/nonexistent/x\n", ""},
        {"user", "mine.desktop", "Name=Mine\nExec=true\n", "Mine"},
        {"system", "mine.desktop", "Name=Theirs\nExec=true\n", ""},
        {"user", "removed.desktop", "Name=Removed\nExec=true\nHidden=true\n", ""},
        {"system", "removed.desktop", "Name=Kept\nExec=true\n", ""},
        {"system", "term.desktop", "Name=Term\nExec=true\nTerminal=true\n", "Term"},
        {"system", "org.example.Bus.desktop", "Name=Bus\nExec=true\nDBusActivatable=true\n", "Bus"},
        {"system", "kde/sub.desktop", "Name=Sub\nExec=true\n", ""}, // ID kde-sub.desktop
        {"user", "kde-sub.desktop", "Name=SubMine\nExec=true\n", "SubMine"},
        {"system", "broken.desktop", "\x01\xff garbage without a group\n[[[\n", ""},
        {"system", "link.desktop", "Name=Link\nURL=https://example.org\n", ""},
    };
    for (const Case &c : cases) {
        const bool whole = c.lines.startsWith('\x01') || c.lines.contains("URL=");
        QByteArray text = c.lines;
        if (!whole)
            text.prepend(head);
        else if (c.lines.contains("URL="))
            text.prepend("[Desktop Entry]\nType=Link\n");
        entry(QString::fromLatin1(c.folder), QString::fromLatin1(c.id), text);
    }
    QStringList names;
    for (const InstalledApplication &application : applications().read(never))
        names.append(application.name);
    QStringList expected;
    for (const Case &c : cases)
        if (*c.name)
            expected.append(QString::fromUtf8(c.name));
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);

    for (const InstalledApplication &application : applications().read(never)) {
        if (application.name == QStringLiteral("電卓")) {
            EXPECT_EQ(application.comment, QStringLiteral("計算を行います"));
            EXPECT_EQ(application.file,
                      temp.file(QStringLiteral("system/applications/calc.desktop")));
        }
        if (application.name == QStringLiteral("Web")) {
            EXPECT_EQ(application.genericName, QStringLiteral("Web Browser"));
            EXPECT_EQ(application.keywords,
                      (QStringList{QStringLiteral("internet"), QStringLiteral("browser")}));
            EXPECT_EQ(application.program, QStringLiteral("env"));
        }
    }
}

// A reading ends soon after it is told to stop, however long the helper would take (a slow
// disk at the program's end), and keeps nothing from it.
TEST_F(HelperApplicationsTest, AReadingToldToStopEndsAtOnce)
{
    const QString slow = script(QStringLiteral("slow"), "exec sleep 30\n");
    std::atomic<bool> stop{false};
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop = true;
    });
    QElapsedTimer reading;
    reading.start();
    EXPECT_TRUE(HelperApplications({temp.file(QStringLiteral("user/applications"))}, slow)
                    .read(stop)
                    .isEmpty());
    EXPECT_LT(reading.elapsed(), 3000);
    stopper.join();
}

// Launched with its field codes handled: no file given, so %f %F %u %U are dropped; %i %c %k
// filled with the icon, the name and the entry's path.
TEST_F(HelperApplicationsTest, ALaunchFillsTheFieldCodes)
{
    const QString out = temp.file(QStringLiteral("args"));
    const QString record =
        script(QStringLiteral("record"), "for a in \"$@\"; do echo \"$a\"; done > \"" + out.toUtf8()
                                             + ".part\"\nmv \"" + out.toUtf8() + ".part\" \""
                                             + out.toUtf8() + "\"\n");
    entry("user", "record.desktop",
          "[Desktop Entry]\nType=Application\nName=Record\nIcon=rec\nExec=" + record.toUtf8()
              + " %f %F %u %U %i %c %k --plain\n");
    const QString file = temp.file(QStringLiteral("user/applications/record.desktop"));
    applications().launch(file);
    appears(out);
    EXPECT_EQ(temp.read(QStringLiteral("args")),
              "--icon\nrec\nRecord\n" + file.toUtf8() + "\n--plain\n");

    // Its output goes where ours does, not into a pipe that closes once the helper is done:
    // a program writing a moment after it started is not killed for it.
    const QString later = temp.file(QStringLiteral("later"));
    const QString late =
        script(QStringLiteral("late"),
               "sleep 0.3\necho out\necho err >&2\ntouch \"" + later.toUtf8() + "\"\n");
    entry("user", "late.desktop",
          "[Desktop Entry]\nType=Application\nName=Late\nExec=" + late.toUtf8() + "\n");
    applications().launch(temp.file(QStringLiteral("user/applications/late.desktop")));
    EXPECT_TRUE(appears(later));

    // What cannot be started is said, naming the application: here its program is gone.
    entry("user", "missing.desktop",
          "[Desktop Entry]\nType=Application\nName=Missing\nExec=/nonexistent/program\n");
    try {
        applications().launch(temp.file(QStringLiteral("user/applications/missing.desktop")));
        ADD_FAILURE() << "launched";
    } catch (const Error &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("'Missing'")))
            << error.message().toStdString();
    }
}

// An application the desktop starts over D-Bus is activated once it is up, however slowly it
// comes, though the launch returned at once: the bus delivers the activation only while the
// one who asked for it is still connected.
TEST_F(HelperApplicationsTest, AnApplicationStartedByTheBusIsActivatedOnceItIsUp)
{
    const QString marker = temp.file(QStringLiteral("activated"));
    using Environment = QMap<QString, QString>;
    qDBusRegisterMetaType<Environment>();
    QDBusMessage update = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("UpdateActivationEnvironment"));
    update << QVariant::fromValue(Environment{{QStringLiteral("TB_ACTIVATED"), marker}});
    const QDBusMessage updated = QDBusConnection::sessionBus().call(update);
    ASSERT_EQ(updated.type(), QDBusMessage::ReplyMessage) << updated.errorMessage().toStdString();

    entry("user", "org.example.Slow.desktop",
          "[Desktop Entry]\nType=Application\nName=Slow\nExec=false\nDBusActivatable=true\n");
    QElapsedTimer launching;
    launching.start();
    applications().launch(temp.file(QStringLiteral("user/applications/org.example.Slow.desktop")));
    EXPECT_LT(launching.elapsed(), 800);
    EXPECT_TRUE(appears(marker));
}

} // namespace
