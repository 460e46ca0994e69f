#include "WindowsFixture.h"

#include "keywords/KeywordReadings.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/Launcher.h"
#include "platform/linux/ShellWords.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>

namespace {

// Keywords that take the words typed after them: what Enter opens, and what the line shows.
class MainWindowWords : public WindowsFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst", "g\r\nrec\r\nmemo\r\ntwice\r\npct\r\ntgt\r\nmy app\r\nmy\r\n"
                              "\x8c\x9f\x8d\xf5\r\n"); // 検索
        dir.write("data/g", "https://www.example.com/search?q=%s\r\n\x8c\x9f\x8d\xf5\r\n");
        dir.write("data/rec", "/bin/rec\r\n\r\nfirst\r\n");
        dir.write("data/memo", "/usr/bin/editor\r\n\r\n--new %s\r\n");
        dir.write("data/twice", "/bin/twice\r\n\r\n%s -o %s.out\r\n");
        dir.write("data/pct", "/bin/pct\r\n\r\n--rate=100%% %%s %s\r\n");
        dir.write("data/tgt", "/opt/%s/run\r\n");
        dir.write("data/my app", "/bin/myapp\r\n\r\nwhole\r\n");
        dir.write("data/my", "/bin/my\r\n");
        dir.write("data/\xe6\xa4\x9c\xe7\xb4\xa2", "https://kensaku.example/?q=%s\r\n");
        icons.answer = QPixmap(32, 32);
        start();
    }
};

const QString Ramen = QStringLiteral("%E3%83%A9%E3%83%BC%E3%83%A1%E3%83%B3");

TEST_F(MainWindowWords, TheWordsGoWhereTheEntryTakesThem)
{
    struct Case
    {
        const char16_t *text;
        const char16_t *target; // empty: calculated, nothing opened
        QStringList arguments;
    };
    const QString g = QStringLiteral("https://www.example.com/search?q=");
    const Case cases[] = {
        {u"g ラーメン 新宿", u"", {}}, // address, checked below
        {u"memo todo.txt", u"/usr/bin/editor", {"--new", "todo.txt"}},
        {u"twice a", u"/bin/twice", {"a", "-o", "a.out"}},
        {u"pct x", u"/bin/pct", {"--rate=100%", "%s", "x"}},
        {u"tgt beta", u"/opt/beta/run", {}},
        {u"rec alpha 'beta gamma'", u"/bin/rec", {"first", "alpha", "beta gamma"}},
        {u"rec ; rm -rf ~", u"/bin/rec", {"first", ";", "rm", "-rf", "~"}},
        {u"rec $(id) `id` \"a b\" $HOME", u"/bin/rec", {"first", "$(id)", "`id`", "a b", "$HOME"}},
        {u"rec　全角　語", u"/bin/rec", {"first", "全角　語"}},
        {u"rec", u"/bin/rec", {"first"}},
        {u"rec  ", u"/bin/rec", {"first"}},
        {u"memo", u"/usr/bin/editor", {"--new"}},
        {u"my app", u"/bin/myapp", {"whole"}},
        {u"my app x", u"/bin/my", {"app", "x"}},
        {u"rec 1+2*(3-4)/5", u"/bin/rec", {"first", "1+2*(3-4)/5"}},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        shell.calls.clear();
        enter(text);
        if (text.startsWith(u"g "))
            continue;
        ASSERT_EQ(shell.calls.size(), 1);
        EXPECT_EQ(shell.calls[0].target, QString::fromUtf16(c.target));
        EXPECT_EQ(ShellWords::split(shell.calls[0].parameters), c.arguments);
    }

    // Addresses take the words percent-encoded as UTF-8; a slash command among the words is
    // one of the words, and a keyword given none opens with %s replaced by nothing.
    const std::pair<const char16_t *, QString> addresses[] = {
        {u"g ラーメン 新宿", g + Ramen + QStringLiteral("%20%E6%96%B0%E5%AE%BF")},
        {u"g　ラーメン", g + Ramen},
        {u"g c++ (a/b) -x*2", g + QStringLiteral("c%2B%2B%20%28a%2Fb%29%20-x%2A2")},
        {u"g ラーメン/set", g + Ramen + QStringLiteral("%2Fset")},
        {u"g 100%", g + QStringLiteral("100%25")},
        {u"g", g},
    };
    for (const auto &[text, address] : addresses) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        shell.calls.clear();
        enter(QString::fromUtf16(text));
        ASSERT_EQ(shell.calls.size(), 1);
        EXPECT_EQ(shell.calls[0].target, address);
    }

    // A slash command on the keyword itself keeps its meaning.
    QStringList edits;
    QObject::connect(launcher(), &Launcher::entryEditRequested,
                     [&edits](const QString &keyword) { edits.append(keyword); });
    enter(QStringLiteral("g/set"));
    EXPECT_EQ(edits, QStringList{QStringLiteral("g")});

    // A first word that names no keyword leaves a formula to the calculator.
    shell.calls.clear();
    enter(QStringLiteral("2 * 3"));
    EXPECT_TRUE(shell.calls.isEmpty());
    EXPECT_EQ(input()->text(), QStringLiteral("6"));

    // A keyword reached by its reading takes words as one typed in full.
    const QDeadlineTimer deadline(20000);
    while (!root->readings().ready() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    shell.calls.clear();
    enter(QStringLiteral("kensaku ラーメン"));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("https://kensaku.example/?q=") + Ramen);
}

// Once a blank follows a keyword, its icon and description stay with the words after the
// description; the line keeps what was typed, and Backspace back to the keyword shows it alone.
TEST_F(MainWindowWords, TheLineShowsTheKeywordWithItsWords)
{
    type(QStringLiteral("g"));
    EXPECT_EQ(description()->text(), QStringLiteral("検索"));
    type(QStringLiteral(" ラーメン 新宿"));
    EXPECT_EQ(input()->text(), QStringLiteral("g ラーメン 新宿"));
    EXPECT_EQ(description()->text(), QStringLiteral("検索 — ラーメン 新宿"));
    EXPECT_FALSE(icon()->pixmap().isNull());
    for (int i = 0; i < 8; ++i)
        press(Qt::Key_Backspace);
    EXPECT_EQ(input()->text(), QStringLiteral("g"));
    EXPECT_EQ(description()->text(), QStringLiteral("検索"));
}

TEST_F(MainWindowWords, AKeywordReachedByItsReadingIsShownWithItsWords)
{
    const QDeadlineTimer deadline(20000);
    while (!root->readings().ready() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    type(QStringLiteral("kensaku ラーメン"));
    EXPECT_EQ(input()->text(), QStringLiteral("kensaku ラーメン"));
    EXPECT_EQ(description()->text(), QStringLiteral("検索 — ラーメン"));
}

} // namespace
