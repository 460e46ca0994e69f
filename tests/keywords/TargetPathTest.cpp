#include "keywords/TargetPath.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct PathCase
{
    const char *path;
    const char *folder;
    const char *keyword;
};

TEST(TargetPath, FolderAndProposedKeyword)
{
    const PathCase cases[] = {
        {"/home/u/Report.final.doc", "/home/u/", "Report.final"},
        {"C:\\work\\Report.final.doc", "C:\\work\\", "Report.final"},
        {"C:app.exe", "C:", "app"},
        {"/srv/music", "/srv/", "music"},
        {"/srv/music/", "/srv/music/", "music"},
        {"/srv/music//", "/srv/music//", "music"},
        {"C:\\music\\", "C:\\music\\", "music"},
        {"/", "/", ""},
        // Backslashes and colons are a Linux name's own characters.
        {"/srv/a:b\\c.txt", "/srv/", "a:b\\c"},
        {"/home/u/.profile", "/home/u/", ".profile"},
        {"/home/u/archive.tar.gz", "/home/u/", "archive.tar"},
        {"firefox", "", "firefox"},
        {"", "", ""},
    };
    for (const PathCase &c : cases) {
        EXPECT_EQ(TargetPath::folderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(TargetPath::proposedKeyword(c.path), c.keyword) << c.path;
    }
}

} // namespace
