#include "SkinMessages.h"

namespace SkinMessages {

QString cannotCopyBitmap(const QString &bitmap, const QString &target, const QString &reason)
{
    return QStringLiteral("ビットマップ「%1」を「%2」にコピーできません: %3").arg(bitmap, target, reason);
}

QString lineBreakInFileName(const QString &name)
{
    return QStringLiteral("改行を含むファイル名 \"%1\" は skin.ini に書けません").arg(name);
}

QString emptyFolderName()
{
    return QStringLiteral("フォルダ名が空です。名前を入力して下さい。");
}

QString unfitFolderName(const QString &name)
{
    return QStringLiteral("「%1」はスキンフォルダ名に使えません。「/」「\\」を含まない、"
                          "「.」「..」以外の名前を入力して下さい")
        .arg(name);
}

QString folderExistsOverwrite()
{
    return QStringLiteral("そのフォルダ名はすでに存在します。上書きしますか？");
}

QString notAFolder(const QString &path)
{
    return QStringLiteral("「%1」はフォルダではありません").arg(path);
}

QString cannotCreateSkinFolder(const QString &folder, const QString &reason)
{
    return QStringLiteral("スキンフォルダ「%1」を作成できません: %2").arg(folder, reason);
}

QString unknownImageFormat(const QString &extension)
{
    return QStringLiteral("拡張子 .%1 の画像形式は処理できません").arg(extension);
}

QString invalidBitmap()
{
    return QStringLiteral("ビットマップ イメージが不正です。");
}

QString noBitmapToShape()
{
    return QStringLiteral("ビットマップを持っている時のみイメージの変更が可能です");
}

} // namespace SkinMessages
