#include "WindowsFixture.h"

#include "keywords/ApplicationIndex.h"
#include "keywords/KeywordReadings.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/Launcher.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>

namespace {

InstalledApplication application(const QString &name, const QString &comment,
                                 const QStringList &keywords = {})
{
    InstalledApplication out;
    out.file = QStringLiteral("/apps/%1.desktop").arg(name);
    out.name = name;
    out.comment = comment;
    out.keywords = keywords;
    return out;
}

// The installed applications behind the keywords, as the line reaches them.
class ApplicationOfferTest : public WindowsFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst", "fox\r\n\x83\x81\x83\x82\r\n"); // fox, メモ
        dir.write("data/fox", "/bin/fox\r\nthe fox\r\n");
        dir.write("data/\xe3\x83\xa1\xe3\x83\xa2", "/bin/memo\r\n\x83\x81\x83\x82\r\n");
        applications.setApplications(
            {application(QStringLiteral("Firefox"), QStringLiteral("Browse the Web")),
             application(QStringLiteral("Foot"), QStringLiteral("A terminal")),
             application(QStringLiteral("電卓"), QStringLiteral("計算を行います")),
             application(QStringLiteral("Weather"), {}, {QStringLiteral("forecast")})});
        icons.answer = QPixmap(32, 32);
        start();
        waitForIndex();
    }

    // The keywords' readings and the applications, read on their threads once started.
    void waitForIndex()
    {
        const ApplicationIndex &index = launcher()->findChild<ApplicationOffer *>()->index();
        launcher()->startReadings();
        const QDeadlineTimer deadline(20000);
        while (!(index.ready() && root->readings().ready()) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(index.ready() && root->readings().ready());
    }

    void retype(const QString &text)
    {
        input()->clear();
        type(text);
    }

    Settings &settings() { return root->settings(); }
};

// What the line's text shows: a keyword completed literally always wins; else an application
// whose name (or keyword) begins with the text, or whose name's reading does, its name before
// its comment; withdrawn once the text reaches none.
TEST_F(ApplicationOfferTest, TheLineReachesApplicationsBehindTheKeywords)
{
    struct Case
    {
        QString typed;
        QString description; // empty: nothing offered
    };
    const Case cases[] = {
        {"fir", "Firefox — Browse the Web"},
        {"ＦＩＲ", "Firefox — Browse the Web"},
        {"fo", "the fox"}, // the keyword fox, not Foot
        {"foot", "Foot — A terminal"},
        {"fore", "Weather"},
        {"weat", "Weather"},
        {"dentaku", "電卓 — 計算を行います"},
        {"でんた", "電卓 — 計算を行います"},
        {"dentakux", ""},
        {"me", "メモ — メモ"}, // a keyword by its reading comes before an application
    };
    for (const Case &c : cases) {
        retype(c.typed);
        EXPECT_EQ(description()->text(), c.description) << c.typed.toStdString();
        EXPECT_EQ(icon()->pixmap().isNull(), c.description.isEmpty()) << c.typed.toStdString();
    }
    retype(QStringLiteral("dentak"));
    type(QStringLiteral("x"));
    EXPECT_TRUE(description()->text().isEmpty());
    EXPECT_EQ(input()->text(), QStringLiteral("dentakx"));

    settings().setReadings(false);
    retype(QStringLiteral("dentaku"));
    EXPECT_TRUE(description()->text().isEmpty());
    settings().setApplications(false);
    retype(QStringLiteral("weat"));
    EXPECT_TRUE(description()->text().isEmpty());
    press(Qt::Key_Return);
    EXPECT_TRUE(applications.launched.isEmpty());
}

// Enter opens the offered application; its failure is said, naming it; "/set" on it opens the
// registration filled to open it.
TEST_F(ApplicationOfferTest, EnterOpensTheOfferedApplicationAndNewKeepsIt)
{
    retype(QStringLiteral("dentaku"));
    press(Qt::Key_Return);
    EXPECT_EQ(applications.launched, QStringList{QStringLiteral("/apps/電卓.desktop")});
    EXPECT_TRUE(input()->text().isEmpty());
    EXPECT_TRUE(shell.calls.isEmpty());

    applications.failWith = QStringLiteral("'電卓' を実行できません: no such program");
    retype(QStringLiteral("電"));
    press(Qt::Key_Return);
    ASSERT_EQ(interaction.errors.size(), 1);
    EXPECT_TRUE(interaction.errors.first().contains(QStringLiteral("'電卓'")));

    QList<QPair<QString, Entry>> edits;
    QObject::connect(launcher(), &Launcher::entryEditRequested,
                     [&edits](const QString &keyword, const Entry &entry) {
                         edits.append({keyword, entry});
                     });
    retype(QStringLiteral("fir/set"));
    press(Qt::Key_Return);
    ASSERT_EQ(edits.size(), 1);
    EXPECT_EQ(edits.first().first, QStringLiteral("Firefox"));
    EXPECT_EQ(
        edits.first().second,
        (Entry{QStringLiteral("/apps/Firefox.desktop"), QStringLiteral("Browse the Web"), {}}));
}

} // namespace
