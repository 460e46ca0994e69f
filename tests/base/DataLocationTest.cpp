#include "base/DataLocation.h"

#include "QtPrinters.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(DataLocation, InstalledInTheXdgFoldersPortableInAFolderOfItsOwn)
{
    TempFolder dir;
    dir.write("rw/other", "");
    dir.write("kept/data.lst", "");
    dir.write("usr/share/tblaunch/tblaunch.chm", "");
    // What an earlier start as root left beside the installed program.
    dir.write("usr/bin/data.lst", "");
    dir.write("home/.local/share/tblaunch/data.lst", "");
    dir.write("home/.local/bin/other", "");
    const DataLocation::Environment xdg{"/x/data", "/x/config", "/home/u"};

    struct Case
    {
        const char *program;
        bool writable;
        bool portable;
        const char *why;
    };
    const Case cases[] = {
        {"rw/tblaunch", true, true, "a copy in a folder it can write"},
        {"kept/tblaunch", false, true, "a keyword list beside the program"},
        {"usr/bin/tblaunch", true, false, "installed, run by root who can write its folder"},
        {"usr/bin/tblaunch", false, false, "installed, run by a user"},
        {"home/.local/bin/tblaunch", true, false, "installed under another prefix"},
        {"nowhere/tblaunch", false, false, "a folder it can neither write nor holds a list"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const DataLocation location = DataLocation::choose(dir.file(c.program), c.writable, xdg);
        EXPECT_EQ(location.portable, c.portable);
        if (c.portable) {
            const QString folder = dir.file(QString::fromUtf8(c.program).section(u'/', 0, 0));
            EXPECT_EQ(location.dataFolder, folder + u'/');
            EXPECT_EQ(location.settingsFile, folder + QStringLiteral("/tblaunch.ini"));
        } else {
            EXPECT_EQ(location.dataFolder, "/x/data/tblaunch/");
            EXPECT_EQ(location.settingsFile, "/x/config/tblaunch/tblaunch.ini");
        }
    }
}

TEST(DataLocation, XdgVariablesCountOnlyAsAbsolutePaths)
{
    const DataLocation::Environment unset{"", "relative/is/ignored", "/home/u"};
    const DataLocation defaults = DataLocation::choose("/usr/bin/tblaunch", false, unset);
    EXPECT_FALSE(defaults.portable);
    EXPECT_EQ(defaults.dataFolder, "/home/u/.local/share/tblaunch/");
    EXPECT_EQ(defaults.settingsFile, "/home/u/.config/tblaunch/tblaunch.ini");
}

} // namespace
