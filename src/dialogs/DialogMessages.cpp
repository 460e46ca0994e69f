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

QString placedByTheDesktop(const QString &swayRule, const QString &hyprlandRule)
{
    return QStringLiteral("このデスクトップではウィンドウの位置をデスクトップが決めるため、"
                          "ここでは選べません。\n"
                          "sway と Hyprland では設定ファイルに次の 1 行を書くと、"
                          "マウスカーソル位置に出ます。\n"
                          "sway: %1\nHyprland: %2")
        .arg(swayRule, hyprlandRule);
}

QString noStayOnTop()
{
    return QStringLiteral("このデスクトップには、ふつうのウィンドウを常に最前面に置くしくみが"
                          "ないため、ここでは選べません。");
}

QString bindTheSummonCommand()
{
    return QStringLiteral("デスクトップのショートカット設定で次をキーに割り当ててください:");
}

QString moreOnTheShortcut()
{
    return QStringLiteral("デスクトップごとの設定方法は tblaunch --shortcut-help で表示されます");
}

QString desktopBound()
{
    return QStringLiteral("デスクトップがホットキーとして割り当てたキー:");
}

QString desktopBoundNothing()
{
    return QStringLiteral("デスクトップはホットキーを割り当てませんでした。"
                          "ショートカット設定で次をキーに割り当ててください:");
}

QString otherCombinationOpensTheDesktopsSettings()
{
    return QStringLiteral("組み合わせを変えると、デスクトップのショートカット設定が開きます。");
}

QString noHotkeyForPrograms()
{
    return QStringLiteral("このデスクトップはプログラムにホットキーを割り当てません。"
                          "代わりにショートカット設定で次をキーに割り当ててください:");
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

QString reachedByReading(const QString &typed)
{
    return QStringLiteral("「%1」(読み) で届きます").arg(typed);
}

QString readingTakenBy(const QString &keyword)
{
    return QStringLiteral("読みで打っても「%1」が届きます").arg(keyword);
}

} // namespace DialogMessages
