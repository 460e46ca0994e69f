#include "ShortcutText.h"

#include "platform/KeyNames.h"

#include <array>

namespace {

// Virtual keys 0x20 to 0x28.
constexpr std::array<const char16_t *, 9> navigationNames = {
    u"Space", u"PgUp", u"PgDn", u"End", u"Home", u"Left", u"Up", u"Right", u"Down",
};

// Key names are looked up among these codes; there are no virtual keys above them.
constexpr int firstNamedKey = 0x08;
constexpr int lastNamedKey = 0xFF;

struct Prefix
{
    QStringView text;
    int bit;
};

constexpr std::array<Prefix, 4> prefixes = {{
    {u"Shift+", ShortcutText::Shift},
    {u"Ctrl+", ShortcutText::Ctrl},
    {u"^", ShortcutText::Ctrl},
    {u"Alt+", ShortcutText::Alt},
}};

} // namespace

ShortcutText::ShortcutText(const KeyNames &keyNames)
    : m_keyNames(keyNames)
{
}

QString ShortcutText::fixedName(int vk)
{
    switch (vk) {
    case 0x08:
        return QStringLiteral("BkSp");
    case 0x09:
        return QStringLiteral("Tab");
    case 0x0D:
        return QStringLiteral("Enter");
    case 0x1B:
        return QStringLiteral("Esc");
    case 0x2D:
        return QStringLiteral("Ins");
    case 0x2E:
        return QStringLiteral("Del");
    default:
        break;
    }
    if (vk >= 0x20 && vk <= 0x28)
        return QString::fromUtf16(navigationNames[vk - 0x20]);
    if (vk >= 0x30 && vk <= 0x39)
        return QString(QChar(u'0' + (vk - 0x30)));
    if (vk >= 0x60 && vk <= 0x69) // the number pad's digits
        return QString(QChar(u'0' + (vk - 0x60)));
    if (vk >= 0x41 && vk <= 0x5A)
        return QString(QChar(u'A' + (vk - 0x41)));
    if (vk >= 0x70 && vk <= 0x87)
        return u'F' + QString::number(vk - 0x70 + 1);
    return {};
}

QString ShortcutText::keyName(int vk) const
{
    if (vk <= 0 || vk > lastNamedKey)
        return {};
    const QString name = fixedName(vk);
    return name.isEmpty() ? m_keyNames.name(vk) : name;
}

QString ShortcutText::toText(int shortcut) const
{
    const QString name = keyName(shortcut & KeyMask);
    if (name.isEmpty())
        return {};
    QString text;
    if (shortcut & Shift)
        text += u"Shift+";
    if (shortcut & Ctrl)
        text += u"Ctrl+";
    if (shortcut & Alt)
        text += u"Alt+";
    return text + name;
}

int ShortcutText::fromText(QStringView text) const
{
    int modifiers = 0;
    for (bool taken = true; taken;) {
        taken = false;
        for (const Prefix &prefix : prefixes) {
            if (text.startsWith(prefix.text, Qt::CaseInsensitive)) {
                modifiers |= prefix.bit;
                text = text.sliced(prefix.text.size());
                taken = true;
            }
        }
    }
    if (text.isEmpty())
        return 0;
    for (int vk = firstNamedKey; vk <= lastNamedKey; ++vk) {
        const QString name = keyName(vk);
        if (!name.isEmpty() && text.compare(name, Qt::CaseInsensitive) == 0)
            return vk | modifiers;
    }
    return 0;
}
