#include "Messages.h"

#include <cerrno>
#include <cstring>

namespace Messages {

QString cannotOpenFile(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル \"%1\". %2 は開けません").arg(path, reason);
}

QString cannotCreateFile(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル \"%1\". %2 を作成できません").arg(path, reason);
}

QString cannotWriteFile(const QString &path)
{
    return QStringLiteral("%1 に書き込めません").arg(path);
}

QString notAnInteger(const QString &text)
{
    return QStringLiteral("'%1' は整数ではありません").arg(text);
}

QString notAFloat(const QString &text)
{
    return QStringLiteral("'%1' は浮動小数点数ではありません").arg(text);
}

QString floatDivisionByZero()
{
    return QStringLiteral("0 による浮動小数点数除算");
}

QString invalidFloatOperation()
{
    return QStringLiteral("不正な浮動小数点数演算命令");
}

QString floatOverflow()
{
    return QStringLiteral("浮動小数点数のオーバーフロー");
}

QString folderAccessDenied()
{
    return QStringLiteral("ファイルへのアクセスが拒否されました");
}

QString ioError(int code)
{
    return QStringLiteral("I/O エラー (%1)").arg(code);
}

QString ioFailure(int errnoValue)
{
    if (errnoValue == EACCES || errnoValue == EPERM || errnoValue == EROFS)
        return folderAccessDenied();
    return ioError(errnoValue);
}

QString notAFile()
{
    return QStringLiteral("指定されたパスは通常のファイルではありません。");
}

QString systemReason(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
        return QStringLiteral("指定されたファイルが見つかりません。");
    case ENOTDIR:
        return QStringLiteral("指定されたパスが見つかりません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました。");
    case EROFS:
        return QStringLiteral("メディアは書き込み禁止になっています。");
    case EISDIR:
        return QStringLiteral("指定されたファイルはフォルダです。");
    case ENOSPC:
        return QStringLiteral("ディスクに十分な空き領域がありません。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    case EEXIST:
        return QStringLiteral("ファイルが既に存在します。");
    case 0:
        return QString();
    default:
        return QString::fromLocal8Bit(std::strerror(errnoValue));
    }
}

QString unencodableText(const QString &text)
{
    return QStringLiteral("「%1」には Shift-JIS で書けない文字が含まれています").arg(text);
}

QString invalidKeyword(const QString &keyword)
{
    return QStringLiteral("「%1」はキーワードとして使えません（空の名前、「.」「..」、「/"
                          "」を含む名前は登録できません）")
        .arg(keyword);
}

} // namespace Messages
