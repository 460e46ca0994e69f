#include "keywords/SpecialItems.h"

#include "base/Error.h"

#include "CaseName.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using States = SpecialItems::States;

// Items in their order: my computer, my documents, recycle bin, shutdown, reboot.
States items(std::initializer_list<SpecialItems::State> given)
{
    States states;
    std::copy(given.begin(), given.end(), states.begin());
    return states;
}

struct PlanCase
{
    const char *name;
    QStringList rows;
    States items;
    QStringList expectedRows;
    QStringList expectedRemoved;
};

class SpecialItemsPlan : public ::testing::TestWithParam<PlanCase>
{
};

TEST_P(SpecialItemsPlan, ListsTickedItemsAndRemovesOnlyWhatWasRegistered)
{
    const PlanCase &c = GetParam();
    const SpecialItems::Changes changes = SpecialItems::plan(c.rows, c.items);
    EXPECT_EQ(changes.rows, c.expectedRows);
    EXPECT_EQ(changes.removed, c.expectedRemoved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpecialItemsPlan,
    ::testing::Values(PlanCase{"TickedAppendedInOrder",
                               {"apple"},
                               items({{"mc", true, {}}, {"md", false, {}}, {"bin", true, {}}}),
                               {"apple", "mc", "bin"},
                               {}},
                      PlanCase{
                          "AnEqualRowIsEnough", {"MC"}, items({{"mc", true, "mc"}}), {"MC"}, {}},
                      PlanCase{"UntickedRemovedUnderItsRegisteredName",
                               {"apple", "mc"},
                               items({{"renamed", false, "mc"}}),
                               {"apple"},
                               {"mc"}},
                      PlanCase{"NeverRegisteredLeavesTheUsersKeyword",
                               {"dustbox"},
                               items({{}, {}, {"dustbox", false, {}}}),
                               {"dustbox"},
                               {}},
                      PlanCase{"ANameHandedToATickedItemStays",
                               {"mc"},
                               items({{"mc", false, "mc"}, {}, {}, {"MC", true, "shutdown"}}),
                               {"mc"},
                               {}},
                      PlanCase{"ExactSpellingRemovedFirst",
                               {"MC", "mc"},
                               items({{"x", false, "mc"}}),
                               {"MC"},
                               {"mc"}}),
    CaseName());

struct NamesCase
{
    const char *name;
    States items;
    bool refused;
};

class SpecialItemsNames : public ::testing::TestWithParam<NamesCase>
{
};

TEST_P(SpecialItemsNames, RefusesNamesThatWouldBreakTheFiles)
{
    const NamesCase &c = GetParam();
    if (c.refused)
        EXPECT_THROW(SpecialItems::checkNames(c.items), Error);
    else
        EXPECT_NO_THROW(SpecialItems::checkNames(c.items));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpecialItemsNames,
    ::testing::Values(NamesCase{"Sound", items({{"mc", true, {}}, {"", false, {}}}), false},
                      NamesCase{"EmptyTicked", items({{"", true, {}}}), true},
                      NamesCase{"DotDotTicked", items({{"..", true, {}}}), true},
                      NamesCase{"SeparatorTicked", items({{"a/b", true, {}}}), true},
                      NamesCase{"LineBreakEvenUnticked", items({{"re\nboot", false, {}}}), true},
                      NamesCase{"OutsideTheCodePageEvenUnticked",
                                items({{QStringLiteral("한"), false, {}}}), true}),
    CaseName());

TEST(SpecialItemsEntries, FoldersOpenByClassIdAndPowerItemsAreEmpty)
{
    EXPECT_EQ(SpecialItems::entryBytes(SpecialItem::RecycleBin),
              "explorer.exe\r\n\r\n::{645FF040-5081-101B-9F08-00AA002F954E}\r\n");
    EXPECT_TRUE(SpecialItems::entryBytes(SpecialItem::Reboot).isEmpty());
}

} // namespace
