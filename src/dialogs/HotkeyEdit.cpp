#include "HotkeyEdit.h"

#include "DialogMessages.h"
#include "settings/ShortcutText.h"

#include "platform/KeyNames.h"
#include "platform/VirtualKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolTip>

namespace {

// Keys that only modify others: the combination is not complete yet.
bool isModifier(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

} // namespace

HotkeyEdit::HotkeyEdit(const KeyNames &keyNames, QWidget *parent)
    : QLineEdit(parent)
    , m_keyNames(keyNames)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void HotkeyEdit::setShortcut(int shortcut)
{
    const bool changed = shortcut != m_shortcut;
    m_shortcut = shortcut;
    if (isVisible())
        showShortcut();
    if (changed)
        emit shortcutChanged(shortcut);
}

// Written into the field when it is seen: laying text out costs fonts, and "なし" a
// Japanese one, which a dialog made at start-up and perhaps never opened should not load.
void HotkeyEdit::showShortcut()
{
    setText(m_shortcut ? ShortcutText(m_keyNames).toText(m_shortcut) : QStringLiteral("なし"));
}

void HotkeyEdit::showEvent(QShowEvent *event)
{
    showShortcut();
    QLineEdit::showEvent(event);
}

int HotkeyEdit::shortcutOf(int vk, Qt::KeyboardModifiers modifiers)
{
    if (vk == 0 || vk == VirtualKeys::Shift || vk == VirtualKeys::Control
        || vk == VirtualKeys::Menu)
        return 0;
    int shortcut = vk;
    if (modifiers & Qt::ShiftModifier)
        shortcut |= ShortcutText::Shift;
    if (modifiers & Qt::ControlModifier)
        shortcut |= ShortcutText::Ctrl;
    if (modifiers & Qt::AltModifier)
        shortcut |= ShortcutText::Alt;
    if ((shortcut & ~(ShortcutText::KeyMask | ShortcutText::Shift)) == 0)
        shortcut |= ShortcutText::Ctrl;
    return shortcut;
}

bool HotkeyEdit::event(QEvent *event)
{
    // Keys that would be shortcuts of the dialog (Alt+letter, Ctrl+Q) are captured here.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Escape && key->key() != Qt::Key_Tab
            && key->key() != Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void HotkeyEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || (key == Qt::Key_Escape && plain)) {
        event->ignore();
        return;
    }
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && plain) {
        setShortcut(0);
        return;
    }
    if (isModifier(key))
        return;
    const int shortcut = shortcutOf(virtualKeyOf(*event), event->modifiers());
    // A combination without a name would be saved as no hotkey at all.
    if (shortcut && !ShortcutText(m_keyNames).toText(shortcut).isEmpty())
        setShortcut(shortcut);
    else
        refuse();
}

int HotkeyEdit::virtualKeyOf(const QKeyEvent &event) const
{
    if (const int vk = m_keyNames.virtualKey(event.nativeScanCode()))
        return vk;
    // Without the keyboard map, a sign typed with Shift does not tell which key it was on.
    const int key = event.key();
    if ((event.modifiers() & Qt::ShiftModifier) && key > 0x20 && key < 0x100
        && !(key >= Qt::Key_A && key <= Qt::Key_Z))
        return 0;
    return VirtualKeys::fromQtKey(key, event.modifiers() & Qt::KeypadModifier);
}

void HotkeyEdit::refuse()
{
    QApplication::beep();
    QToolTip::showText(mapToGlobal(QPoint(0, height())), DialogMessages::notAHotkey(), this);
}
