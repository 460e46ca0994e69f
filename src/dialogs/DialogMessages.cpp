#include "DialogMessages.h"

namespace DialogMessages {

QString added()
{
    return QStringLiteral("追加しました");
}

QString overwritten()
{
    return QStringLiteral("上書きしました");
}

QString abandoned()
{
    return QStringLiteral("登録処理を中断しました");
}

QString descriptionOnly()
{
    return QStringLiteral("特殊項目の登録内容は『簡単な説明』以外、ここでは変更できません");
}

QString notAHotkey()
{
    return QStringLiteral("このキーはホットキーにできません");
}

QString otherFirstCharacter()
{
    return QStringLiteral("先頭の文字が同じキーワードの間でだけ動かせます");
}

QString checking()
{
    return QStringLiteral("確認中");
}

QString orderSummary(qsizetype unreachable, const QString &missing)
{
    return QStringLiteral("届かないキーワード: %1　リンク切れ: %2").arg(unreachable).arg(missing);
}

QString missingTarget()
{
    return QStringLiteral("リンク先が見つかりません");
}

QString unreachable(const QString &typed, const QString &completed)
{
    return QStringLiteral("届きません: 「%1」と打っても「%2」が補完されます").arg(typed, completed);
}

QString completedBy(const QString &typed)
{
    return QStringLiteral("「%1」で補完されます").arg(typed);
}

} // namespace DialogMessages
