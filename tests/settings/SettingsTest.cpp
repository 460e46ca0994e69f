#include "settings/Settings.h"

#include "base/Error.h"
#include "platform/fake/FakeKeyNames.h"

#include "CaseName.h"
#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QFile>
#include <QSaveFile>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr std::size_t N = SpecialItemCount;

// Everything the model answers, at one moment.
struct Values
{
    int hotkey;
    bool useHotkey, appearAtPointer, showTime, stayOnTop, defaultSkin;
    QString selectedSkinName;
    std::array<bool, N> ticked;
    std::array<QString, N> names;
    std::array<QString, N> storedNames;
    std::array<std::optional<QString>, N> registrations;
    bool operator==(const Values &) const = default;
};

Values valuesOf(const Settings &s)
{
    Values v{s.hotkey(),
             s.useHotkey(),
             s.appearAtPointer(),
             s.showTime(),
             s.stayOnTop(),
             s.defaultSkin(),
             s.selectedSkinName(),
             {},
             {},
             {},
             {}};
    for (std::size_t i = 0; i < N; ++i) {
        v.ticked[i] = s.specialTicked(SpecialItem(i));
        v.names[i] = s.specialName(SpecialItem(i));
        v.storedNames[i] = s.storedName(SpecialItem(i));
        v.registrations[i] = s.storedRegistration(SpecialItem(i));
    }
    return v;
}

void PrintTo(const Values &v, std::ostream *os)
{
    *os << "hotkey " << v.hotkey << " switches " << v.useHotkey << v.appearAtPointer << v.showTime
        << v.stayOnTop << v.defaultSkin << " skin " << v.selectedSkinName.toStdString();
    for (std::size_t i = 0; i < N; ++i)
        *os << " | " << v.ticked[i] << ' ' << v.names[i].toStdString() << " stored "
            << v.storedNames[i].toStdString() << " as "
            << v.registrations[i].value_or("-").toStdString();
}

class SettingsTest : public ::testing::Test
{
protected:
    QString path() const { return folder.file("tblaunch.ini"); }

    TempFolder folder;
    FakeKeyNames keyNames;
    Settings settings{path(), keyNames};
};

struct LoadCase
{
    const char *name;
    QByteArray file; // none when empty
    Values expected;
};

class SettingsLoad : public SettingsTest, public ::testing::WithParamInterface<LoadCase>
{
};

TEST_P(SettingsLoad, GivesTheFileValuesElseTheDefaults)
{
    if (!GetParam().file.isEmpty())
        folder.write("tblaunch.ini", GetParam().file);
    settings.load();
    EXPECT_EQ(valuesOf(settings), GetParam().expected);
}

const std::array<QString, N> kDefaultNames{"mycomputer", "mydocument", "dustbox", "shutdown",
                                           "reboot"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsLoad,
    ::testing::Values(
        LoadCase{
            "NoFile", {}, {0, true, true, true, false, true, "defaul", {}, kDefaultNames, {}, {}}},
        LoadCase{"EveryKind",
                 "[hotkey]\r\nkey=Ctrl+Alt+K\r\n[Setting]\r\nMousePoint=0\r\nHookHotKey=0\r\n"
                 "TimeStamp=0\r\nStayOnTop=1\r\nMyCom=1\r\nReBoot=1\r\nMyComName=mc\r\n"
                 "ShutdownName=off\r\n[Window]\r\nDefaultSkin=0\r\nSelectedSkinName=blue\r\n",
                 {0xC04B,
                  false,
                  false,
                  false,
                  true,
                  false,
                  "blue",
                  {true, false, false, false, true},
                  {"mc", "mydocument", "dustbox", "off", "reboot"},
                  {"mc", "", "", "off", ""},
                  {"mc", {}, {}, {}, "reboot"}}}),
    CaseName());

struct WriteCase
{
    const char *name;
    std::function<void(Settings &)> write;
    QByteArray expected;
};

class SettingsWrite : public SettingsTest, public ::testing::WithParamInterface<WriteCase>
{
protected:
    // Every value changed from its default; a change alone writes nothing.
    void change()
    {
        settings.load();
        settings.setHotkey(0xC04B);
        settings.setUseHotkey(false);
        settings.setAppearAtPointer(false);
        settings.setShowTime(false);
        settings.setStayOnTop(true);
        settings.setDefaultSkin(false);
        settings.setSelectedSkinName("blue");
        ASSERT_FALSE(folder.exists("tblaunch.ini"));
    }
};

void registerSome(Settings &settings)
{
    settings.registerSpecialItems({true, false, true, false, false},
                                  {"mc", "md", "bin", "off", "re"});
}

TEST_P(SettingsWrite, WritesItsKeysInItsOrder)
{
    change();
    GetParam().write(settings);
    EXPECT_EQ(folder.read("tblaunch.ini"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsWrite,
    ::testing::Values(
        WriteCase{"Hotkey", &Settings::writeHotkey, "[hotkey]\r\nkey=Ctrl+Alt+K\r\n"},
        WriteCase{"Switches", &Settings::writeSwitches,
                  "[Setting]\r\nTimeStamp=0\r\nStayOnTop=1\r\nMousePoint=0\r\nHookHotKey=0\r\n"
                  "[hotkey]\r\nkey=Ctrl+Alt+K\r\n"},
        WriteCase{"SelectedSkin", &Settings::writeSelectedSkin,
                  "[Window]\r\nSelectedSkinName=blue\r\n"},
        WriteCase{"SkinChoice", &Settings::writeSkinChoice,
                  "[hotkey]\r\nkey=Ctrl+Alt+K\r\n[Window]\r\nDefaultSkin=0\r\n"
                  "SelectedSkinName=blue\r\n"},
        WriteCase{"SpecialItems", registerSome,
                  "[Setting]\r\nMyCom=1\r\nMydoc=0\r\nDustBox=1\r\nShutdown=0\r\nReBoot=0\r\n"
                  "MyComName=mc\r\nMydocName=md\r\nDustBoxName=bin\r\nShutdownName=off\r\n"
                  "ReBootName=re\r\n"}),
    CaseName());

// A write refused part of the way: the keys before it stay written, none after it is, and
// registered names do not take effect.
TEST_F(SettingsTest, ARefusedWriteSaysSoAndWritesNoLaterKey)
{
    struct Case
    {
        const char *name;
        std::function<void(Settings &)> write;
        rlim_t limit;
        QByteArray written;
    } cases[] = {
        {"switches", &Settings::writeSwitches, 40, "[Setting]\r\nTimeStamp=1\r\nStayOnTop=0\r\n"},
        {"special items", registerSome, 70,
         "[Setting]\r\nMyCom=1\r\nMydoc=0\r\nDustBox=1\r\nShutdown=0\r\nReBoot=0\r\n"},
    };
    settings.load();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        try {
            const FileSizeLimit limit(c.limit);
            c.write(settings);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.message(), path() + QStringLiteral(" に書き込めません"));
        }
        EXPECT_EQ(folder.read("tblaunch.ini"), c.written);
        EXPECT_EQ(settings.specialName(SpecialItem::MyComputer), "mycomputer");
        EXPECT_FALSE(settings.specialTicked(SpecialItem::MyComputer));
    }
}

// The stored items are read at load and again only once the file changed on disk: a hand
// edit, in place or by replacement, is seen at the next use; a use of an unchanged file (its
// size and time as they were) reads nothing, so a keystroke opens no file.
TEST_F(SettingsTest, TheStoredItemsAreReadAgainOnlyWhenTheFileChanged)
{
    folder.write("tblaunch.ini", "[Setting]\r\nMydoc=1\r\nMydocName=docs\r\n");
    settings.load();
    const auto stored = [&] {
        return std::pair(settings.storedName(SpecialItem::MyDocuments),
                         settings.storedRegistration(SpecialItem::MyDocuments));
    };
    EXPECT_EQ(stored(), std::pair(QString("docs"), std::optional<QString>("docs")));

    struct Edit
    {
        const char *name;
        std::function<void(const QByteArray &)> write;
        QByteArray bytes;
        std::pair<QString, std::optional<QString>> expected;
    } edits[] = {
        {"in place",
         [&](const QByteArray &bytes) { folder.write("tblaunch.ini", bytes); },
         "[Setting]\r\nMydocName=papers\r\n",
         {"papers", std::nullopt}},
        {"replaced",
         [&](const QByteArray &bytes) {
             QSaveFile file(path());
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(bytes);
             ASSERT_TRUE(file.commit());
         },
         "[Setting]\r\nMydoc=1\r\n",
         {"", "mydocument"}},
        {"in place after the replacement",
         [&](const QByteArray &bytes) { folder.write("tblaunch.ini", bytes); },
         "[Setting]\r\nMydoc=1\r\nMydocName=x\r\n",
         {"x", "x"}},
    };
    for (const Edit &edit : edits) {
        SCOPED_TRACE(edit.name);
        edit.write(edit.bytes);
        EXPECT_EQ(stored(), edit.expected);
    }

    // Other bytes of the same size under the same time: taken for the file as it was, which
    // shows that the use did not read it.
    struct stat before
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &before), 0);
    folder.write("tblaunch.ini", "[Setting]\r\nMydoc=1\r\nMydocName=y\r\n");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path()).constData(), times, 0), 0);
    EXPECT_EQ(stored(), std::pair(QString("x"), std::optional<QString>("x")));
}

// A hand edit that lands while load() reads the file is seen at the next use, not taken for
// the file as it was read.
TEST_F(SettingsTest, AnEditLandingWhileTheFileIsLoadedIsSeenNext)
{
    struct EditedWhileRead : Settings
    {
        using Settings::Settings;
        SettingsFile readFile() const override
        {
            SettingsFile read = Settings::readFile();
            if (edit)
                std::exchange(edit, {})();
            return read;
        }
        mutable std::function<void()> edit;
    };
    folder.write("tblaunch.ini", "[Setting]\r\nMydoc=1\r\nMydocName=docs\r\n");
    EditedWhileRead edited(path(), keyNames);
    edited.edit = [&] {
        folder.write("tblaunch.ini", "[Setting]\r\nMydoc=1\r\nMydocName=papers\r\n");
    };
    edited.load();
    EXPECT_EQ(edited.storedName(SpecialItem::MyDocuments), "papers");
}

} // namespace
