#include "LinuxKeyNames.h"

#include "platform/VirtualKeys.h"

#include <QKeySequence>

namespace {

// Keys whose Qt text is missing or reads oddly beside the modifier prefixes ("Ctrl+"):
// the X keysym's name instead.
QString ownName(int vk)
{
    switch (vk) {
    case VirtualKeys::Control:
        return QStringLiteral("Ctrl");
    case 0x5B:
        return QStringLiteral("Super_L");
    case 0x5C:
        return QStringLiteral("Super_R");
    default:
        return {};
    }
}

bool isPrintable(const QString &text)
{
    for (QChar c : text)
        if (!c.isPrint())
            return false;
    return true;
}

} // namespace

QString LinuxKeyNames::name(int vk) const
{
    const VirtualKeys::Key *key = VirtualKeys::find(vk);
    if (!key)
        return {};
    const QString own = ownName(vk);
    if (!own.isEmpty())
        return own;
    const QString text =
        QKeySequence(QKeyCombination(Qt::Key(key->qtKey))).toString(QKeySequence::PortableText);
    // Qt spells a key it has no name for as the character of its code, which is no name.
    if (text.isEmpty() || !isPrintable(text))
        return {};
    return key->keypad ? QStringLiteral("Num ") + text : text;
}
