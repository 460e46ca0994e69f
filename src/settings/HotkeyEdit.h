#pragma once

#include <QLineEdit>

class KeyNames;

// Captures one key combination and shows it as the settings file writes it ("Ctrl+Alt+K").
// A key pressed without a modifier, or with Shift alone, is taken with Ctrl added, so that
// the combination never swallows plain typing. Tab moves on, Backspace and Delete clear
// the field, Esc is left to the dialog.
class HotkeyEdit : public QLineEdit
{
    Q_OBJECT

public:
    HotkeyEdit(const KeyNames &keyNames, QWidget *parent);

    // The 16-bit shortcut code; 0 for none.
    int shortcut() const { return m_shortcut; }
    void setShortcut(int shortcut);

    // The code of a key event, Ctrl added where the rule says; 0 for a modifier alone or a
    // key without a virtual-key code.
    static int shortcutOf(int qtKey, Qt::KeyboardModifiers modifiers);

signals:
    void shortcutChanged(int shortcut);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showShortcut();

    const KeyNames &m_keyNames;
    int m_shortcut = 0;
};
