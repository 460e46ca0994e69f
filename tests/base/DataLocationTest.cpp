#include "base/DataLocation.h"

#include "QtPrinters.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(DataLocation, PortableBesideAWritableProgramOrAKeywordListElseInTheXdgFolders)
{
    TempFolder dir;
    dir.write("kept/data.lst", "");
    const DataLocation::Environment xdg{"/x/data", "/x/config", "/home/u"};
    const DataLocation::Environment unset{"", "relative/is/ignored", "/home/u"};

    const DataLocation writable = DataLocation::choose(dir.file("rw/tblaunch"), true, xdg);
    EXPECT_TRUE(writable.portable);
    EXPECT_EQ(writable.dataFolder, dir.file("rw/"));
    EXPECT_EQ(writable.settingsFile, dir.file("rw/tblaunch.ini"));
    EXPECT_TRUE(DataLocation::choose(dir.file("kept/tblaunch"), false, xdg).portable)
        << "a keyword list beside the program keeps it portable";

    const DataLocation installed = DataLocation::choose("/usr/bin/tblaunch", false, xdg);
    EXPECT_FALSE(installed.portable);
    EXPECT_EQ(installed.dataFolder, "/x/data/tblaunch/");
    EXPECT_EQ(installed.settingsFile, "/x/config/tblaunch/tblaunch.ini");
    const DataLocation defaults = DataLocation::choose("/usr/bin/tblaunch", false, unset);
    EXPECT_EQ(defaults.dataFolder, "/home/u/.local/share/tblaunch/");
    EXPECT_EQ(defaults.settingsFile, "/home/u/.config/tblaunch/tblaunch.ini");
}

} // namespace
