#include "keywords/EntryRegistration.h"

#include "base/Error.h"
#include "keywords/Entry.h"

#include "CaseName.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct CheckCase
{
    const char *name;
    QString keyword;
    Entry entry;
    bool refused;
};

class RegistrationCheck : public ::testing::TestWithParam<CheckCase>
{
};

TEST_P(RegistrationCheck, RefusesWhatWouldMakeTheFilesUnsound)
{
    const CheckCase &c = GetParam();
    if (c.refused)
        EXPECT_THROW(EntryRegistration::check(c.keyword, c.entry), Error);
    else
        EXPECT_NO_THROW(EntryRegistration::check(c.keyword, c.entry));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistrationCheck,
    ::testing::Values(
        CheckCase{
            "Sound", QStringLiteral("メモ帳"), {"/bin/x", QStringLiteral("説明"), "-a"}, false},
        CheckCase{"EmptyFieldsButTheName", "x", {}, false},
        CheckCase{"EmptyName", "", {"/bin/x", "", ""}, true},
        CheckCase{"DotDot", "..", {"/bin/x", "", ""}, true},
        CheckCase{"Separator", "a/b", {"/bin/x", "", ""}, true},
        CheckCase{"LineBreakInTheName", "new\nline", {"/bin/x", "", ""}, true},
        CheckCase{"LineBreakInThePath", "apple", {"/bin/x\n/bin/y", "", ""}, true},
        CheckCase{"LineBreakInTheParameters", "cherry", {"/bin/x", "", "-a\r\n-b"}, true},
        CheckCase{"LineBreakInTheDescription", "cherry", {"/bin/x", "a\rb", ""}, true},
        CheckCase{"NameOutsideTheCodePage", QStringLiteral("한국"), {"/bin/x", "", ""}, true},
        CheckCase{
            "DescriptionOutsideTheCodePage", "cherry", {"/bin/x", QStringLiteral("😀"), ""}, true}),
    CaseName());

} // namespace
