#include "ui/ElidedLabel.h"

#include <gtest/gtest.h>

namespace {

TEST(ElidedLabel, CutsWithAnEllipsisOnlyWhatCannotFit)
{
    ElidedLabel label(nullptr);
    label.resize(153, 14);
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("メモ帳"), false},
        {QStringLiteral("「mexxxxxxxx」は登録されていません"), true},
        {QStringLiteral("家計簿 2024 — 家計簿をひらいて今月の支出をまとめる"), true},
    };
    for (const auto &[text, cut] : cases) {
        label.setText(text);
        const QString shown = label.shownText();
        EXPECT_EQ(shown != text, cut) << shown.toStdString();
        EXPECT_LE(label.fontMetrics().horizontalAdvance(shown), label.width());
        if (cut) {
            EXPECT_TRUE(shown.endsWith(u'…') && text.startsWith(shown.chopped(1)));
        }
        EXPECT_EQ(label.text(), text);
    }
}

} // namespace
