#pragma once

#include <QObject>

#include <QPointer>

class Hotkeys;
#include <QWidget>

// System-wide key combinations, each under an identifier of the caller's, reported by
// hotkey() whichever program has the keyboard focus. Combinations are given as 16-bit
// shortcut codes (virtual key in bits 0 to 12, Shift 0x2000, Ctrl 0x4000, Alt 0x8000).
class GlobalHotkey : public QObject
{
    Q_OBJECT

public:
    explicit GlobalHotkey(Hotkeys &hotkeys, QObject *parent = nullptr);
    ~GlobalHotkey() override;

    // While on, each press first brings the owner window to the foreground with the
    // keyboard focus, then reports the press. On by default.
    bool activate() const { return m_activate; }
    void setActivate(bool activate) { m_activate = activate; }
    void setOwner(QWidget *owner) { m_owner = owner; }

    // False when the combination cannot be had (taken by another program, no such key) or
    // the identifier is registered already.
    bool registerHotkey(int id, int shortcut);
    // False when nothing was registered under the identifier.
    bool unregisterHotkey(int id);
    // Unregisters, then registers whatever came of that; true only when both succeeded.
    bool reregister(int id, int shortcut);

    // A shortcut code as the key and the modifier flags of a registration (the Windows key
    // is never among them).
    struct Combination
    {
        int virtualKey;
        int modifiers;
        bool operator==(const Combination &) const = default;
    };
    static Combination combination(int shortcut);

    // One press of the combination under the identifier.
    void press(int id);

signals:
    void hotkey(int id);

private:
    Hotkeys &m_hotkeys;
    bool m_activate = true;
    QPointer<QWidget> m_owner;
};
