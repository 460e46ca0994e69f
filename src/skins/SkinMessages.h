#pragma once

#include <QString>

// What the skins and the skin editor say in their message boxes, in one place.
namespace SkinMessages {

QString cannotCopyBitmap(const QString &bitmap, const QString &target, const QString &reason);
QString lineBreakInFileName(const QString &name);
QString emptyFolderName();
QString unfitFolderName(const QString &name);
QString folderExistsOverwrite();
QString notAFolder(const QString &path);
QString cannotCreateSkinFolder(const QString &folder, const QString &reason);
QString unknownImageFormat(const QString &extension);
QString invalidBitmap();
QString noBitmapToShape();

} // namespace SkinMessages
