#include "base/Interaction.h"

#include <gtest/gtest.h>

TEST(ErrorBoxText, AppendsAFullStopAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(errorBoxText(QStringLiteral("bad")), QStringLiteral("bad."));
    EXPECT_EQ(errorBoxText(QStringLiteral("は開けません")), QStringLiteral("は開けません."));
    // The ideographic full stop is a double-byte character and sorts after ".".
    EXPECT_EQ(errorBoxText(QStringLiteral("失敗しました。")), QStringLiteral("失敗しました。."));
    EXPECT_EQ(errorBoxText(QStringLiteral("done.")), QStringLiteral("done."));
    EXPECT_EQ(errorBoxText(QStringLiteral("a,")), QStringLiteral("a,"));
    EXPECT_EQ(errorBoxText(QStringLiteral("(12)")), QStringLiteral("(12)"));
    EXPECT_EQ(errorBoxText(QString()), QString());
}
