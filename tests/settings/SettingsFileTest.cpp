#include "TempFolder.h"

#include "platform/fake/FakeKeyNames.h"
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

namespace K = SettingsKeys;

class SettingsFileTest : public testing::Test
{
protected:
    SettingsFile settings() const { return SettingsFile(folder.file("kw.ini")); }

    TempFolder folder;
    FakeKeyNames keyNames;
};

TEST_F(SettingsFileTest, FirstStartReadsDefaults)
{
    const SettingsFile file = settings();
    EXPECT_TRUE(file.read(K::MousePoint));
    EXPECT_TRUE(file.read(K::HookHotKey));
    EXPECT_TRUE(file.read(K::TimeStamp));
    EXPECT_FALSE(file.read(K::StayOnTop));
    for (const K::SpecialItemKeys &item : K::SpecialItems)
        EXPECT_FALSE(file.read(item.registered));
    EXPECT_EQ(file.read(K::MyComputerName), QStringLiteral("mycomputer"));
    EXPECT_EQ(file.read(K::MyDocumentsName, {}), QString());
    EXPECT_TRUE(file.read(K::DefaultSkin));
    EXPECT_EQ(file.read(K::SelectedSkinName), QStringLiteral("defaul"));
    EXPECT_EQ(file.read(K::Hotkey, keyNames), 0);
    EXPECT_FALSE(folder.exists("kw.ini"));
}

TEST_F(SettingsFileTest, AbsentHotkeyIsNoHotkey)
{
    folder.write("kw.ini", "[hotkey]\r\n[Setting]\r\nkey=Ctrl+B\r\n");
    EXPECT_EQ(settings().read(K::Hotkey, keyNames), 0);
}

TEST_F(SettingsFileTest, HotkeyIsStoredAsText)
{
    settings().write(K::Hotkey, 0xE07B, keyNames);
    EXPECT_EQ(folder.read("kw.ini"), "[hotkey]\r\nkey=Shift+Ctrl+Alt+F12\r\n");
    EXPECT_EQ(settings().read(K::Hotkey, keyNames), 0xE07B);
    settings().write(K::Hotkey, 0, keyNames);
    EXPECT_EQ(folder.read("kw.ini"), "[hotkey]\r\nkey=\r\n");
    EXPECT_EQ(settings().read(K::Hotkey, keyNames), 0);
}

// The settings dialog's "OK" writes across two sections; the last key must still land in
// the first one.
TEST_F(SettingsFileTest, DialogWritesKeepSectionsTogether)
{
    const SettingsFile file = settings();
    file.write(K::TimeStamp, false);
    file.write(K::StayOnTop, true);
    file.write(K::MousePoint, true);
    file.write(K::Hotkey, 0x4041, keyNames);
    file.write(K::HookHotKey, false);
    EXPECT_EQ(folder.read("kw.ini"), "[Setting]\r\nTimeStamp=0\r\nStayOnTop=1\r\nMousePoint=1\r\n"
                                     "HookHotKey=0\r\n[hotkey]\r\nkey=Ctrl+A\r\n");
    EXPECT_FALSE(file.read(K::TimeStamp));
    EXPECT_TRUE(file.read(K::StayOnTop));
}

TEST_F(SettingsFileTest, EmptySkinNameReadsEmpty)
{
    settings().write(K::SelectedSkinName, QString());
    EXPECT_EQ(settings().read(K::SelectedSkinName), QString());
}

// Two entries of the table under one name would read each other's values.
TEST(SettingsKeysTest, EveryKeyHasItsOwnName)
{
    QSet<QString> names;
    const auto add = [&](QStringView section, QStringView key) {
        names.insert((section.toString() + u'/' + key.toString()).toLower());
    };
    add(K::Hotkey.section, K::Hotkey.key);
    for (const K::BoolKey &key :
         {K::MousePoint, K::HookHotKey, K::TimeStamp, K::StayOnTop, K::MyComputer, K::MyDocuments,
          K::RecycleBin, K::Shutdown, K::Reboot, K::DefaultSkin})
        add(key.section, key.key);
    for (const K::StringKey &key : {K::MyComputerName, K::MyDocumentsName, K::RecycleBinName,
                                    K::ShutdownName, K::RebootName, K::SelectedSkinName})
        add(key.section, key.key);
    EXPECT_EQ(names.size(), 17);
}

} // namespace
