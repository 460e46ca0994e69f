#include "TempFolder.h"

#include "keywords/ApplicationIndex.h"
#include "platform/fake/FakeApplications.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

namespace {

InstalledApplication application(const QString &name, const QString &program = {})
{
    InstalledApplication out;
    out.file = name + QStringLiteral(".desktop");
    out.name = name;
    out.program = program;
    return out;
}

bool waitFor(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Kept in order of their names, whatever order they were read in; an application installed
// while the launcher runs is found once its folder changed, without a restart.
TEST(ApplicationIndexTest, ReadAgainWhenAFolderChanges)
{
    TempFolder folder;
    FakeApplications source;
    source.setFolders({folder.path() + QStringLiteral("applications")});
    source.setApplications({application(QStringLiteral("Zed")),
                            application(QStringLiteral("Gimp"), QStringLiteral("zimp"))});
    ApplicationIndex index(source);
    const auto byReading = [&index](QStringView text) {
        const KeywordReading::Typed reading = KeywordReading::ofTyped(text);
        return index.find(text, &reading);
    };
    EXPECT_EQ(byReading(u"z"), -1); // nothing offered before the first reading
    index.start();
    ASSERT_TRUE(waitFor([&] { return index.ready(); }));
    ASSERT_EQ(index.size(), 2);
    EXPECT_EQ(index.name(byReading(u"z")), QStringLiteral("Zed")); // a name before a program
    EXPECT_EQ(index.name(byReading(u"zi")), QStringLiteral("Gimp"));
    EXPECT_EQ(index.find(u"ze", nullptr), 1);

    source.setApplications(
        {application(QStringLiteral("Zed")), application(QStringLiteral("Apt"))});
    // The folder made, and an entry in it: each a change.
    folder.write(QStringLiteral("applications/apt.desktop"), "");
    ASSERT_TRUE(waitFor([&] { return index.find(u"ap", nullptr) >= 0; }));
    EXPECT_EQ(index.find(u"ap", nullptr), 0);
    EXPECT_EQ(index.file(1), QStringLiteral("Zed.desktop"));
    EXPECT_GT(index.memoryUsed(), 0);
}

} // namespace
