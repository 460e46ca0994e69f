#include "SkinIni.h"

#include "SkinColours.h"
#include "SkinKeys.h"
#include "SkinMessages.h"

#include "base/Error.h"
#include "base/TextFile.h"
#include "settings/IniFile.h"

#include <QStringList>

#include <utility>

SkinIni::SkinIni(QString path)
    : m_path(std::move(path))
{
}

QString SkinIni::readText(QStringView key, QStringView defaultValue) const
{
    return IniFile(m_path).readString(SkinKeys::Section, key, defaultValue);
}

int SkinIni::readInteger(QStringView key, int defaultValue) const
{
    QString text = readText(key, {});
    if (text.size() > 2 && (text.startsWith(u"0x") || text.startsWith(u"0X")))
        text.replace(0, 2, u'$');
    return SkinColours::parseInteger(text).value_or(defaultValue);
}

quint32 SkinIni::readColour(QStringView key, QStringView defaultText) const
{
    return SkinColours::fromText(readText(key, defaultText));
}

void SkinIni::write(const QString &path, const Values &values)
{
    // A line break would cut the name's line in two and every key after it out of place.
    if (values.skinName.contains(u'\r') || values.skinName.contains(u'\n'))
        throw Error(SkinMessages::lineBreakInFileName(values.skinName));

    const auto entry = [](QStringView key, const QString &value) {
        return key.toString() + u'=' + value;
    };
    const auto number = [&](QStringView key, int value) {
        return entry(key, QString::number(value));
    };
    const auto colour = [&](QStringView key, quint32 value) {
        return entry(key, SkinColours::toText(value));
    };
    using namespace SkinKeys;
    const QStringList lines{
        u'[' + Section.toString() + u']',
        QStringLiteral(";　　作成したファイルの名前"),
        entry(SkinName, values.skinName),
        QStringLiteral(";　　アイコン表示部の上端位置"),
        number(IconTop, values.iconTop),
        QStringLiteral(";　　アイコン表示部の左端位置"),
        number(IconLeft, values.iconLeft),
        QStringLiteral(";　　リスト表示部の上端位置"),
        number(ListTop, values.listTop),
        QStringLiteral(";　　リスト表示部の左端位置"),
        number(ListLeft, values.listLeft),
        QStringLiteral(";　　リスト表示部の幅"),
        number(ListWidth, values.listWidth),
        QStringLiteral(";　　リスト表示部の背景色"),
        colour(ListBColor, values.listBColor),
        QStringLiteral(";　　リスト表示部の文字色"),
        colour(ListTColor, values.listTColor),
        QStringLiteral(";　　備考欄の上端位置"),
        number(ExplanationTop, values.explanationTop),
        QStringLiteral(";　　備考欄の左端位置"),
        number(ExplanationLeft, values.explanationLeft),
        QStringLiteral(";　　備考欄の幅"),
        number(ExplanationWidth, values.explanationWidth),
        QStringLiteral(";　　備考欄の文字の色"),
        colour(ExplanationTextColor, values.explanationTextColor),
        QStringLiteral(";　　透過色の設定"),
        colour(TransparentColor, values.transparentColor),
    };
    TextFile::writeLines(path, lines);
}
