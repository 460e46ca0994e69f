#include "TempFolder.h"

#include "platform/linux/DesktopApplications.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class DesktopApplicationsTest : public testing::Test
{
protected:
    // A program in the folder bin/ of the search path.
    QString program(const QString &name) const
    {
        temp.write(QStringLiteral("bin/") + name, "#!/bin/sh\n");
        const QString path = temp.file(QStringLiteral("bin/") + name);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }

    // A desktop entry in one of the applications folders: "user" or "system".
    void entry(const QString &folder, const QString &id, const QByteArray &lines) const
    {
        temp.write(folder + QStringLiteral("/applications/") + id,
                   "[Desktop Entry]\nType=Application\nName=A\n" + lines);
    }

    DesktopApplications applications() const
    {
        return DesktopApplications(
            {{temp.file(QStringLiteral("user/applications")),
              temp.file(QStringLiteral("system/applications"))},
             {temp.file(QStringLiteral("config/mimeapps.list")),
              temp.file(QStringLiteral("system/applications/mimeapps.list")),
              temp.file(QStringLiteral("system/applications/mimeinfo.cache"))},
             {temp.file(QStringLiteral("bin"))}});
    }

    TempFolder temp;
};

TEST_F(DesktopApplicationsTest, AProgramTakesTheIconOfTheEntryThatRunsIt)
{
    const QString pad = program(QStringLiteral("pad"));
    const QString term = program(QStringLiteral("term"));
    const QString view = program(QStringLiteral("view"));
    const QString tool = program(QStringLiteral("tool"));
    const QString plain = program(QStringLiteral("plain"));
    const QString gone = program(QStringLiteral("gone"));
    program(QStringLiteral("other"));
    QFile::link(view, temp.file(QStringLiteral("bin/viewer")));
    temp.write("elsewhere/pad", "");

    entry("system", "org.example.pad.desktop", "Exec=pad %F\nIcon=org.example.pad\n");
    // The settings entry of the same program, out of the menus and with its own argument.
    entry("system", "a-term-settings.desktop",
          "Exec=term --preferences\nIcon=prefs\nNoDisplay=true\n");
    entry("system", "term.desktop", "Exec=env LANG=C " + term.toUtf8() + " %U\nIcon=terminal\n");
    entry("system", "sub/view.desktop",
          "Exec=\"" + view.toUtf8() + "\"\nIcon=" + temp.file("v.png").toUtf8() + '\n');
    // The user's own entry hides the system's of the same ID.
    entry("system", "tool.desktop", "Exec=tool\nIcon=system-tool\n");
    entry("user", "tool.desktop", "Exec=tool\nIcon=user-tool\n");
    entry("system", "gone.desktop", "Exec=gone\nIcon=gone\n");
    entry("user", "gone.desktop", "Exec=gone\nIcon=gone\nHidden=true\n");
    entry("system", "noicon.desktop", "Exec=plain\n");

    struct Case
    {
        QString program;
        QString icon;
        const char *why;
    };
    const Case cases[] = {
        {pad, "org.example.pad", "a bare name on the search path"},
        {term, "terminal", "through env, before a hidden entry with its own argument"},
        {view, temp.file("v.png"), "an absolute, quoted Exec in a sub-folder"},
        {temp.file("bin/viewer"), temp.file("v.png"), "a link to the program"},
        {tool, "user-tool", "the user's entry first"},
        {gone, "", "an entry deleted for the user"},
        {plain, "", "an entry without an icon"},
        {temp.file("bin/other"), "", "no entry runs it"},
        {temp.file("elsewhere/pad"), "", "the same name elsewhere is another program"},
    };
    DesktopApplications index = applications();
    // Read on a thread of its own, the same answers.
    DesktopApplications early = applications();
    early.start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(index.iconOfProgram(c.program), c.icon);
        EXPECT_EQ(early.iconOfProgram(c.program), c.icon);
    }
}

TEST_F(DesktopApplicationsTest, AnAddressTakesTheIconOfItsSchemesDefaultApplication)
{
    entry("system", "browser.desktop", "Exec=browser %u\nIcon=browser-icon\n");
    entry("system", "mailer.desktop", "Exec=mailer %u\nIcon=mailer-icon\n");
    entry("system", "news.desktop", "Exec=news %u\nIcon=news-icon\n");
    temp.write("config/mimeapps.list",
               "[Added Associations]\nx-scheme-handler/http=mailer.desktop;\n"
               "[Default Applications]\nx-scheme-handler/http=missing.desktop;browser.desktop;\n");
    temp.write("system/applications/mimeapps.list",
               "[Default Applications]\nx-scheme-handler/http=mailer.desktop\n"
               "x-scheme-handler/mailto=mailer.desktop\n");
    temp.write("system/applications/mimeinfo.cache",
               "[MIME Cache]\nx-scheme-handler/news=news.desktop;\n");

    DesktopApplications index = applications();
    EXPECT_EQ(index.iconOfSchemeHandler(QStringLiteral("http")), "browser-icon");
    EXPECT_EQ(index.iconOfSchemeHandler(QStringLiteral("HTTP")), "browser-icon");
    EXPECT_EQ(index.iconOfSchemeHandler(QStringLiteral("mailto")), "mailer-icon");
    EXPECT_EQ(index.iconOfSchemeHandler(QStringLiteral("news")), "news-icon");
    EXPECT_EQ(index.iconOfSchemeHandler(QStringLiteral("https")), "");
}

} // namespace
