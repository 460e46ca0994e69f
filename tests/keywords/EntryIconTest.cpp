#include "CaseName.h"
#include "TempFolder.h"

#include "keywords/EntryIcon.h"

#include <QDir>

#include <gtest/gtest.h>

#include <optional>

// Found by the test macros through the argument's namespace.
static void PrintTo(const IconRef &icon, std::ostream *os)
{
    *os << '{' << icon.file.toStdString() << ", " << icon.index << '}';
}

namespace {

const QString Shell32 = QStringLiteral("shell32.dll");

class EntryIconTest : public testing::Test
{
protected:
    // A folder "dir" inside the temporary folder, with a desktop.ini of these bytes if given.
    QString folder(const std::optional<QByteArray> &desktopIni = std::nullopt) const
    {
        QDir().mkpath(temp.file(QStringLiteral("dir")));
        if (desktopIni)
            temp.write(QStringLiteral("dir/desktop.ini"), *desktopIni);
        return temp.file(QStringLiteral("dir"));
    }

    QString plainFile() const
    {
        temp.write(QStringLiteral("tool.sh"), "echo\n");
        return temp.file(QStringLiteral("tool.sh"));
    }

    TempFolder temp;
};

// --- Special items -----------------------------------------------------------------------

TEST_F(EntryIconTest, SpecialItemsGoByExactName)
{
    const QString target = plainFile();
    const IconRef bin{Shell32, 31};
    const IconRef mydocs{QStringLiteral("mydocs.dll"), 0};
    const IconRef own{target, 0};

    EXPECT_EQ(EntryIcon::iconForEntry("dustbox", target, "dustbox", "mydocument"), bin);
    EXPECT_EQ(EntryIcon::iconForEntry("mydocument", target, "dustbox", "mydocument"), mydocs);
    // Letter case counts, unlike keyword lookup: the row falls through to its target.
    EXPECT_EQ(EntryIcon::iconForEntry("Dustbox", target, "dustbox", "mydocument"), own);
    EXPECT_EQ(EntryIcon::iconForEntry("MyDocument", target, "dustbox", "mydocument"), own);
    EXPECT_EQ(EntryIcon::iconForEntry("dustbox ", target, "dustbox", "mydocument"), own);
    // The recycle bin is asked first when both names are the same.
    EXPECT_EQ(EntryIcon::iconForEntry("same", target, "same", "same"), bin);
}

TEST_F(EntryIconTest, SpecialItemWinsOverItsTarget)
{
    // A bin row whose target is a folder with its own icon still shows the bin.
    const QString dir = folder("[.ShellClassInfo]\r\nIconFile=a.ico\r\n");
    EXPECT_EQ(EntryIcon::iconForEntry("dustbox", dir, "dustbox", ""), (IconRef{Shell32, 31}));
    EXPECT_EQ(EntryIcon::iconForEntry("other", dir, "dustbox", ""), (IconRef{"a.ico", 0}));
}

TEST_F(EntryIconTest, EmptySpecialNamesMatchNoRow)
{
    // Missing settings keys give empty names; not even an empty row may match them.
    const QString target = plainFile();
    EXPECT_EQ(EntryIcon::iconForEntry("", target, "", ""), (IconRef{target, 0}));
    EXPECT_EQ(EntryIcon::iconForEntry("", "", "", ""), (IconRef{"", 0}));
    EXPECT_EQ(EntryIcon::iconForEntry("mydocument", target, "", "mydocument"),
              (IconRef{"mydocs.dll", 0}));
}

// --- Folders -----------------------------------------------------------------------------

struct FolderCase
{
    std::string name;
    std::optional<QByteArray> desktopIni; // none: no desktop.ini
    IconRef expected;
};

class FolderIcon : public EntryIconTest, public testing::WithParamInterface<FolderCase>
{
};

TEST_P(FolderIcon, ReadsDesktopIni)
{
    const QString dir = folder(GetParam().desktopIni);
    EXPECT_EQ(EntryIcon::folderIcon(dir), GetParam().expected);
    EXPECT_EQ(EntryIcon::iconForPath(dir), GetParam().expected);
    EXPECT_EQ(EntryIcon::iconForEntry("row", dir, "dustbox", "mydocument"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderIcon,
    testing::Values(
        FolderCase{"NoDesktopIni", std::nullopt, {"shell32.dll", 3}},
        FolderCase{"BothKeys",
                   "[.ShellClassInfo]\r\nIconFile=/icons/box.png\r\nIconIndex=2\r\n",
                   {"/icons/box.png", 2}},
        FolderCase{
            "OnlyIndexTakesShell32", "[.ShellClassInfo]\r\nIconIndex=7\r\n", {"shell32.dll", 7}},
        FolderCase{
            "OnlyFileTakesFirstIcon", "[.ShellClassInfo]\r\nIconFile=x.ico\r\n", {"x.ico", 0}},
        // A desktop.ini without the keys gives the defaults, not the closed folder.
        FolderCase{"EmptyFile", "", {"shell32.dll", 0}},
        FolderCase{
            "OtherSection", "[ViewState]\r\nIconFile=x.ico\r\nIconIndex=5\r\n", {"shell32.dll", 0}},
        FolderCase{"VariableNotExpanded",
                   "[.ShellClassInfo]\r\nIconFile=%SystemRoot%\\system32\\imageres.dll\r\n"
                   "IconIndex=-3\r\n",
                   {"%SystemRoot%\\system32\\imageres.dll", -3}},
        FolderCase{
            "HexadecimalIndex", "[.ShellClassInfo]\r\nIconIndex=0x10\r\n", {"shell32.dll", 16}},
        FolderCase{"IndexWithTrailingTextIsZero",
                   "[.ShellClassInfo]\r\nIconIndex=12abc\r\n",
                   {"shell32.dll", 0}},
        FolderCase{
            "EmptyIconFileKept", "[.ShellClassInfo]\r\nIconFile=\r\nIconIndex=1\r\n", {"", 1}},
        FolderCase{"ShiftJisFileName",
                   "[.ShellClassInfo]\r\nIconFile=\x83\x41\x83\x43\x83\x52\x83\x93.ico\r\n",
                   {QString::fromUtf8("アイコン.ico"), 0}}),
    CaseName());

TEST_F(EntryIconTest, DesktopIniFolderIsNoDesktopIni)
{
    const QString dir = folder();
    QDir().mkpath(dir + QStringLiteral("/desktop.ini"));
    EXPECT_EQ(EntryIcon::folderIcon(dir), (IconRef{Shell32, 3}));
}

TEST_F(EntryIconTest, FolderPathWithTrailingSlash)
{
    const QString dir = folder("[.ShellClassInfo]\r\nIconIndex=4\r\n");
    EXPECT_EQ(EntryIcon::iconForPath(dir + u'/'), (IconRef{Shell32, 4}));
}

// --- Files -------------------------------------------------------------------------------

TEST_F(EntryIconTest, AnythingButAFolderIsItsOwnFirstIcon)
{
    const QString file = plainFile();
    EXPECT_EQ(EntryIcon::iconForPath(file), (IconRef{file, 0}));

    const QString missing = temp.file(QStringLiteral("missing.exe"));
    EXPECT_EQ(EntryIcon::iconForPath(missing), (IconRef{missing, 0}));
    EXPECT_EQ(EntryIcon::iconForPath("explorer.exe"), (IconRef{"explorer.exe", 0}));
    // An empty target (shutdown, reboot) is no folder, not even the current one.
    EXPECT_EQ(EntryIcon::iconForPath(""), (IconRef{"", 0}));

    // The browse buttons' file half takes what was chosen as it is.
    EXPECT_EQ(EntryIcon::fileIcon(folder()), (IconRef{temp.file("dir"), 0}));
}

} // namespace
