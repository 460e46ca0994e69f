#include "LinuxKeyNames.h"

#include "platform/VirtualKeys.h"

#include <QGuiApplication>
#include <QKeySequence>

#include <xcb/xcb_keysyms.h>

#include <memory>

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

int LinuxKeyNames::virtualKey(quint32 nativeScanCode) const
{
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection || nativeScanCode == 0 || nativeScanCode > 255)
        return 0;
    // Read afresh: the map changes with the layout, and a key press in a field is rare.
    const std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(
        xcb_key_symbols_alloc(connection), &xcb_key_symbols_free);
    const auto keycode = xcb_keycode_t(nativeScanCode);
    return VirtualKeys::fromKeysyms(xcb_key_symbols_get_keysym(symbols.get(), keycode, 0),
                                    xcb_key_symbols_get_keysym(symbols.get(), keycode, 1));
}
