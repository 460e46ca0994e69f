#pragma once

#include <QString>
#include <QStringList>

// What the main window says to the user, in one place.
namespace MainWindowMessages {

// The lock's caption in the menu, off and on.
inline constexpr char16_t Lock[] = u"ロック";
inline constexpr char16_t Unlock[] = u"ロックを解除";

inline constexpr char16_t NothingSelected[] = u"何も選択されていません";
inline constexpr char16_t SpecialItemNotDeleted[] =
    u"特殊項目の削除は「特殊項目の設定」でチェックをはずして行って下さい";
inline constexpr char16_t QuitWithoutSaving[] = u"設定を保存せずに終了しますか？";

inline QString noFolderToOpen(const QString &target)
{
    return QStringLiteral("「%1」には開くフォルダがありません").arg(target);
}

inline QString confirmDeletion(const QString &keyword)
{
    return QStringLiteral("「%1」を削除します。よろしいですか？").arg(keyword);
}

inline QString notRegistered(const QString &keyword)
{
    return QStringLiteral("「%1」は登録されていません").arg(keyword);
}

// A keyword reached by the reading of the line, which does not show it: its name beside its
// description.
inline QString reachedByReading(const QString &keyword, const QString &description)
{
    return description.isEmpty() ? keyword : QStringLiteral("%1 — %2").arg(keyword, description);
}

// A keyword followed by words: the words after what describes the keyword.
inline QString withWords(const QString &description, const QString &words)
{
    if (words.isEmpty())
        return description;
    return description.isEmpty() ? words : QStringLiteral("%1 — %2").arg(description, words);
}

inline QString cannotCopy(const QString &folder, const QStringList &files)
{
    return QStringLiteral("次のファイルを '%1' にコピーできませんでした: %2")
        .arg(folder, files.join(QStringLiteral(", ")));
}

} // namespace MainWindowMessages
