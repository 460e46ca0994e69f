#include "KeywordMessages.h"

namespace KeywordMessages {

QString lineBreakInEntry()
{
    return QStringLiteral("登録名・パス・パラメータ・簡単な説明には改行を入れられません");
}

QString overwriteQuestion()
{
    return QStringLiteral("おなじ名前はがすでに登録されています。更新しますか？");
}

QString unlistableFiles(const QStringList &names)
{
    return QStringLiteral("次のファイルは名前を data.lst に書けないため、"
                          "登録キーワードに加えませんでした: %1")
        .arg(names.join(QStringLiteral("、")));
}

QString lineBreakInSpecialName()
{
    return QStringLiteral("特殊項目の登録名には改行を入れられません");
}

} // namespace KeywordMessages
