// The program killed at random moments while it registers, deletes, reorders, saves special
// items, settings and skins, in a child process; after every kill the next start's load runs,
// and every file must be whole and agree with the others.

#include "base/FileSystem.h"
#include "base/ShiftJis.h"
#include "base/TextFile.h"
#include "keywords/Entry.h"
#include "keywords/EntryRegistration.h"
#include "keywords/KeywordStore.h"
#include "keywords/KeywordText.h"
#include "keywords/SpecialItems.h"
#include "platform/fake/FakeKeyNames.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"
#include "skins/SkinFolders.h"

#include "TempFolder.h"

#include <QDirIterator>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include <csignal>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum Operation { Register, Delete, Reorder, Special, Settings, Skin, OperationCount };

// Shared with the child: what it has done, and what it was doing when killed.
struct Progress
{
    bool ready = false;
    int done = 0;
    int current = -1;
};

QStringList keywordPool()
{
    QStringList names;
    for (int i = 0; i < 24; ++i)
        names << QStringLiteral("key%1").arg(i) << QStringLiteral("メモ%1").arg(i);
    return names << QStringLiteral("shutdown") << QStringLiteral("Reboot");
}

// The skin folders written, which are also the names the settings choose among.
const QStringList kSkinNames{QStringLiteral("s0"), QStringLiteral("s1"), QStringLiteral("スキン")};

SkinIni::Values skinValues(int variant)
{
    const QString bitmap = variant % 2 ? QStringLiteral("b.bmp") : QStringLiteral("a.bmp");
    const int shift = variant / 2 * 7;
    return {bitmap, 1 + shift, 2, 3, 4, 50, 0xFFFFFF, 0, 5, 6, 70, 0x123456, 0xFF00FF};
}

class InterruptedWrites : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write("bitmaps/a.bmp", QByteArray(3000, 'a'));
        dir.write("bitmaps/b.bmp", QByteArray(5000, 'b'));
        for (int variant = 0; variant < 4; ++variant) {
            SkinIni::write(dir.file("skin.ini.expected"), skinValues(variant));
            skinFiles.append(dir.read("skin.ini.expected"));
        }
        FileSystem::removeFile(dir.file("skin.ini.expected"));
        root = dir.file("exe/");
        QDir().mkpath(root + "skin");
    }

    // One operation as the windows' handlers do it.
    void operate(KeywordStore &store, std::mt19937 &random, int operation, int serial)
    {
        const auto pick = [&](int n) { return int(random() % unsigned(n)); };
        const QString settingsFile = root + "tblaunch.ini";
        switch (operation) {
        case Register: {
            const QString name = pool[pick(int(pool.size()))];
            const Entry entry{"/bin/" + name, QStringLiteral("説明 %1").arg(serial), "-p"};
            EntryRegistration registration(store);
            if (registration.equalRows(name) == 0)
                registration.add(name, entry);
            else
                registration.overwrite(name, entry);
            break;
        }
        case Delete:
            if (!store.keywords().isEmpty())
                store.removeKeyword(pick(int(store.keywords().size())));
            break;
        case Reorder: {
            QStringList rows = store.keywords().toList();
            std::shuffle(rows.begin(), rows.end(), random);
            store.rewriteOrder(rows);
            break;
        }
        case Special: {
            SpecialItems::Choices choices;
            for (std::size_t i = 0; i < SpecialItemCount; ++i)
                choices[i] = {pick(2) == 1,
                              SettingsKeys::SpecialItems[i].name.defaultValue.toString()};
            const FakeKeyNames keyNames;
            ::Settings settings(settingsFile, keyNames);
            SpecialItems(store, settings).save(choices, [](const QString &) { return true; });
            break;
        }
        case Settings: {
            const SettingsFile settings(settingsFile);
            settings.write(SettingsKeys::TimeStamp, pick(2) == 1);
            settings.write(SettingsKeys::SelectedSkinName, kSkinNames[pick(3)]);
            break;
        }
        case Skin: {
            const QString folder = SkinFolders::root(root) + u'/' + kSkinNames[pick(3)];
            FileSystem::makeFolder(folder);
            const SkinIni::Values values = skinValues(pick(4));
            SkinFolders::write(folder, dir.file("bitmaps/") + values.skinName, values);
            break;
        }
        }
    }

    [[noreturn]] void runChild(Progress *progress, unsigned seed)
    {
        std::mt19937 random(seed);
        KeywordStore store(root);
        store.load();
        progress->ready = true;
        for (int serial = 0;; ++serial) {
            const int operation = int(random() % OperationCount);
            progress->current = operation;
            operate(store, random, operation, serial);
            progress->current = -1;
            ++progress->done;
        }
    }

    // Every file whole and in agreement with the others; what is wrong, one line each.
    QStringList inconsistencies(const KeywordStore &store) const
    {
        QStringList found;
        int temporaries = 0;
        const QStringList rows = store.keywords().toList();
        const QRegularExpression registered(QStringLiteral("^/bin/(.+)\r\n説明 \\d+\r\n-p\r\n$"));
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (store.find(rows[i]) != i)
                found << "a row twice: " + rows[i];
            const QString file = store.findEntryFile(rows[i]);
            if (file.isEmpty()) {
                found << "a row without its entry: " + rows[i];
                continue;
            }
            const QByteArray bytes = TextFile::readBytes(file);
            const auto match = registered.match(ShiftJis::decode(bytes));
            bool special = false;
            for (std::size_t item = 0; item < SpecialItemCount; ++item)
                special = special || bytes == SpecialItems::entryBytes(SpecialItem(item));
            if (!special && !(match.hasMatch() && KeywordText::equal(match.captured(1), rows[i])))
                found << "an entry not whole: " + rows[i];
        }
        for (const QString &name : FileSystem::listFolder(store.dataFolder()))
            if (store.find(name) < 0 && !TextFile::isTemporaryName(name))
                found << "an entry without its row: " + name;
        if (FileSystem::exists(root + "data.journal"))
            found << "the journal was left";

        const QString skinSetting =
            SettingsFile(root + "tblaunch.ini").read(SettingsKeys::SelectedSkinName);
        if (!kSkinNames.contains(skinSetting)
            && skinSetting != SettingsKeys::SelectedSkinName.defaultValue)
            found << "tblaunch.ini not whole";
        for (const QString &skin : kSkinNames) {
            const QString ini = SkinFolders::iniPath(SkinFolders::root(root), skin);
            if (!FileSystem::exists(ini))
                continue;
            const qsizetype variant = skinFiles.indexOf(TextFile::readBytes(ini));
            if (variant < 0) {
                found << "skin.ini not whole: " + skin;
                continue;
            }
            const QString bitmap = skinValues(int(variant)).skinName;
            if (TextFile::readBytes(SkinFolders::bitmapPath(SkinFolders::root(root), skin, bitmap))
                != dir.read("bitmaps/" + bitmap))
                found << "a bitmap not whole: " + skin;
        }
        // Nothing else but the hidden name a write cut short may leave, which the next write
        // of its file replaces.
        QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString name = it.fileName();
            if (TextFile::isTemporaryName(name))
                ++temporaries;
            else if (!path.startsWith(root + "data/") && name != "data.lst"
                     && name != "tblaunch.ini" && name != "skin.ini" && name != "a.bmp"
                     && name != "b.bmp")
                found << "a file left over: " + path.mid(root.size());
        }
        mostTemporaries = std::max(mostTemporaries, temporaries);
        return found;
    }

    TempFolder dir;
    QString root;
    QList<QByteArray> skinFiles;
    mutable int mostTemporaries = 0;
    const QStringList pool = keywordPool();
};

TEST_F(InterruptedWrites, EveryFileIsWholeAndAgreesAfterEachKill)
{
    constexpr int Operations = 1000;
    auto *progress = static_cast<Progress *>(
        ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(progress, MAP_FAILED);
    std::mt19937 random(20261208);
    int total = 0, kills = 0, midway = 0, journals = 0, withRowsAdded = 0;
    std::array<int, OperationCount> cutPerOperation{};
    double childSeconds = 0;
    while (total < Operations) {
        *progress = Progress();
        // Killed after about one operation's time, at any point of one.
        const double perOperation = total > 0 ? childSeconds / total : 0.005;
        const auto delay = std::chrono::duration<double>(
            std::uniform_real_distribution<double>(0, 2 * perOperation)(random));
        const unsigned seed = unsigned(random());
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            runChild(progress, seed);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!__atomic_load_n(&progress->ready, __ATOMIC_ACQUIRE)
               && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        const auto started = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(delay);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        childSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << status;
        ++kills;
        total += progress->done;
        if (progress->current >= 0) {
            ++midway;
            ++cutPerOperation[size_t(progress->current)];
        }

        // The next start.
        journals += FileSystem::exists(root + "data.journal");
        const qsizetype before = FileSystem::exists(root + "data.lst")
                                     ? TextFile::readLines(root + "data.lst").size()
                                     : 0;
        KeywordStore store(root);
        store.load();
        withRowsAdded += store.keywords().size() > before;
        const QStringList found = inconsistencies(store);
        ASSERT_TRUE(found.isEmpty()) << "after kill " << kills << ":\n"
                                     << found.join("\n").toStdString();
    }
    std::cout << "interrupted writes: " << total << " operations, " << kills << " kills, "
              << midway << " inside an operation (registrations " << cutPerOperation[Register]
              << ", deletions " << cutPerOperation[Delete] << ", orders " << cutPerOperation[Reorder]
              << ", special items " << cutPerOperation[Special] << ", settings "
              << cutPerOperation[Settings] << ", skins " << cutPerOperation[Skin] << "); "
              << journals << " journals finished at the next start, " << withRowsAdded
              << " of them by listing an entry; at most " << mostTemporaries
              << " hidden temporary files at once\n";
    ::munmap(progress, sizeof(Progress));
}

} // namespace
