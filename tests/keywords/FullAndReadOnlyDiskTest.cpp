// Every write path on a real file system that is full to the last byte, and on one mounted
// read-only: each raises a message naming its file and the system's reason, and no file
// already there changes. Needs a tmpfs mount, so root; skipped elsewhere.

#include "base/Error.h"
#include "base/Messages.h"
#include "base/TextFile.h"
#include "keywords/EntryRegistration.h"
#include "keywords/KeywordStore.h"
#include "keywords/SpecialItems.h"
#include "platform/fake/FakeKeyNames.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"
#include "skins/SkinFolders.h"

#include "TempFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using Files = std::map<QString, QByteArray>;

Files everyFile(const QString &root)
{
    Files files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith("/filler"))
            files[path] = TextFile::readBytes(path);
    }
    return files;
}

class FullAndReadOnlyDisk : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        mountPoint = outside.file("mnt");
        QDir().mkpath(mountPoint);
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=512k")
            != 0)
            GTEST_SKIP() << "no tmpfs mount here (not root?): " << std::strerror(errno);
        mounted = true;
        root = mountPoint + "/";
        QDir().mkpath(root + "skin/blue");
        outside.write("new.bmp", QByteArray(2000, 'n'));

        KeywordStore store(root);
        store.load();
        store.insertKeyword("apple", {"/bin/apple", "りんご", ""});
        store.insertKeyword("cherry", {"/bin/cherry", "", "-x"});
        SettingsFile(root + "tblaunch.ini").write(SettingsKeys::TimeStamp, true);
        SkinFolders::write(root + "skin/blue", outside.file("new.bmp"), values);
        before = everyFile(root);

        if (GetParam()) {
            const QByteArray filler = QFile::encodeName(root + "filler");
            const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT, 0644);
            const QByteArray block(4096, 'f');
            while (::write(fd, block.constData(), block.size()) > 0) {
            }
            while (::write(fd, block.constData(), 1) > 0) {
            }
            ::close(fd);
        } else {
            ASSERT_EQ(::mount(nullptr, QFile::encodeName(mountPoint).constData(), nullptr,
                              MS_REMOUNT | MS_RDONLY, nullptr),
                      0)
                << std::strerror(errno);
        }
    }

    void TearDown() override
    {
        if (mounted)
            ::umount2(QFile::encodeName(mountPoint).constData(), MNT_DETACH);
    }

    TempFolder outside;
    QString mountPoint, root;
    bool mounted = false;
    Files before;
    const SkinIni::Values values{"new.bmp", 1, 2, 3, 4, 50, 0xFFFFFF, 0, 5, 6, 70, 0, 0xFF00FF};
};

TEST_P(FullAndReadOnlyDisk, EveryWriteSaysWhichFileAndChangesNothing)
{
    const QString reason = Messages::systemReason(GetParam() ? ENOSPC : EROFS);
    KeywordStore store(root);
    store.load();
    const FakeKeyNames keyNames;
    Settings settings(root + "tblaunch.ini", keyNames);
    SpecialItems specialItems(store, settings);
    const std::pair<const char *, std::function<void()>> writes[] = {
        {"registration", [&] { EntryRegistration(store).add("banana", {"/bin/banana", "", ""}); }},
        {"entry rewritten", [&] { EntryRegistration(store).overwrite("APPLE", {"/bin/x", "", ""}); }},
        {"deletion", [&] { store.removeKeyword(0); }},
        {"order", [&] { store.rewriteOrder({"cherry", "apple"}); }},
        {"special items",
         [&] {
             settings.load();
             SpecialItems::Choices choices;
             for (std::size_t i = 0; i < SpecialItemCount; ++i)
                 choices[i] = {settings.specialTicked(SpecialItem(i)),
                               settings.specialName(SpecialItem(i))};
             choices[0].ticked = true;
             specialItems.save(choices, [](const QString &) { return true; });
         }},
        {"settings and exit", [&] { SettingsFile(root + "tblaunch.ini").write(SettingsKeys::TimeStamp, false); }},
        {"skin",
         [&] {
             const std::optional<QString> copy =
                 SkinFolders::write(root + "skin/blue", outside.file("new.bmp"), values);
             EXPECT_TRUE(copy && copy->contains(root + "skin/blue/new.bmp") && copy->contains(reason))
                 << copy.value_or("copied").toStdString();
         }},
    };
    for (const auto &[what, write] : writes) {
        SCOPED_TRACE(what);
        try {
            write();
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            // The settings file's own message names the file alone.
            EXPECT_TRUE(e.message().contains(reason)
                                ? e.message().contains(root)
                                : e.message() == Messages::cannotWriteFile(root + "tblaunch.ini"))
                << e.message().toStdString();
        }
        EXPECT_EQ(everyFile(root), before);
        EXPECT_EQ(store.keywords(), QStringList({"apple", "cherry"}));
    }

    // The next start reads everything as it was.
    KeywordStore next(root);
    next.load();
    EXPECT_EQ(next.keywords(), QStringList({"apple", "cherry"}));
    EXPECT_EQ(next.readEntry("apple"), (Entry{"/bin/apple", "りんご", ""}));
}

INSTANTIATE_TEST_SUITE_P(Disks, FullAndReadOnlyDisk, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "Full" : "ReadOnly"; });

} // namespace
