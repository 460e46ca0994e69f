#include "keywords/TargetCheck.h"
#include "CaseName.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Target
{
    const char *name;
    QString target;
    bool missing;
};

class TargetCheckTable : public ::testing::TestWithParam<Target>
{
};

TEST_P(TargetCheckTable, TellsWhetherTheTargetIsGone)
{
    EXPECT_EQ(TargetCheck::isMissing(GetParam().target), GetParam().missing);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TargetCheckTable,
    ::testing::Values(Target{"NoTarget", "", false},
                      Target{"Address", "https://example.invalid/x", false},
                      Target{"MailAddress", "mailto:someone@example.invalid", false},
                      Target{"ShellFolder", "EXPLORER.EXE", false}, Target{"Folder", "/", false},
                      Target{"File", "/bin/sh", false}, Target{"CommandOnPath", "sh", false},
                      Target{"GoneFile", "/nonexistent-folder/tool", true},
                      Target{"UnknownCommand", "no-such-command-on-path", true},
                      Target{"WindowsPath", "C:\\Windows\\notepad.exe", true}),
    CaseName());

} // namespace
