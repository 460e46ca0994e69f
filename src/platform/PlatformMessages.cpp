#include "PlatformMessages.h"

namespace PlatformMessages {

QString cannotPowerOff()
{
    return QStringLiteral("コンピュータの電源を切ることができませんでした。");
}

QString cannotReboot()
{
    return QStringLiteral("Windows を再起動できませんでした。");
}

QString noPowerPrivilege()
{
    return QStringLiteral("特権の取得に失敗しました。");
}

QString systemDoesNotAnswer()
{
    return QStringLiteral("システムが応答しません。");
}

QString targetNotFound(const QString &target)
{
    return QStringLiteral("'%1' が見つかりません。名前を正しく入力したかどうかを確認してから、"
                          "やり直してください。")
        .arg(target);
}

QString noTarget()
{
    return QStringLiteral("開く対象が登録されていません");
}

QString cannotRun(const QString &program)
{
    return QStringLiteral("'%1' を実行できません").arg(program);
}

QString cannotStart(const QString &application, const QString &why)
{
    return why.isEmpty() ? cannotRun(application)
                         : QStringLiteral("'%1' を実行できません: %2").arg(application, why);
}

QString noOpener(const QString &what)
{
    return QStringLiteral("'%1' を開くプログラムがありません（xdg-open が見つかりません）")
        .arg(what);
}

} // namespace PlatformMessages
