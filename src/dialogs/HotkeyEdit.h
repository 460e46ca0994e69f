#pragma once

#include <QLineEdit>

class KeyNames;

// Captures one key combination and shows it as the settings file writes it ("Ctrl+Alt+K").
// A key is taken by what it has unshifted, whatever modifiers are held (Ctrl+Shift+1, not
// Ctrl+!). A key pressed without a modifier, or with Shift alone, is taken with Ctrl added,
// so that the combination never swallows plain typing. A key that cannot be written down is
// refused with a beep and a word, and the field keeps its combination. Tab moves on,
// Backspace and Delete clear the field, Esc is left to the dialog.
class HotkeyEdit : public QLineEdit
{
    Q_OBJECT

public:
    HotkeyEdit(const KeyNames &keyNames, QWidget *parent);

    // The 16-bit shortcut code; 0 for none.
    int shortcut() const { return m_shortcut; }
    void setShortcut(int shortcut);

    // The code of a virtual key pressed with the modifiers, Ctrl added where the rule says;
    // 0 for a modifier key or no key.
    static int shortcutOf(int vk, Qt::KeyboardModifiers modifiers);

signals:
    void shortcutChanged(int shortcut);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showShortcut();
    int virtualKeyOf(const QKeyEvent &event) const;
    void refuse();

    const KeyNames &m_keyNames;
    int m_shortcut = 0;
};
