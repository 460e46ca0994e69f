#pragma once

#include <QObject>

#include <string>

struct xkb_compose_table;
struct xkb_compose_state;

// Dead keys and compose sequences for typing without an input method, in place of the
// toolkit's own compose input context (main() switches that one off).
//
// The locale's compose table takes a few milliseconds to read and over 100 KB to hold, which
// most users, who never type a dead key, would pay all day: it is read at the first dead key
// or Compose key, the keys that begin the locale's sequences.
//
// Key presses for a focus object that accepts input methods are fed to the compose state as
// keysyms (the native virtual key on X11): the keys of a sequence are swallowed, and the
// composed text reaches the focus object as an input method commit. A key that breaks a
// sequence, other keys, and every key when the locale has no compose table pass untouched.
class XkbCompose : public QObject
{
public:
    XkbCompose();
    ~XkbCompose() override;

    // Filters the application's key presses from now on, with the table of the current
    // LC_CTYPE locale (XCOMPOSEFILE, then ~/.XCompose, then the locale's file, as
    // libxkbcommon looks for it) once one is needed. Call once, after the application exists.
    void start();

    // Whether a table has been read and is held.
    bool hasTable() const { return m_table != nullptr; }

private:
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Reads the table at the first key that may begin a sequence; answers whether there is a
    // state to feed.
    bool ready(unsigned keysym);
    void reset();

    std::string m_locale;
    bool m_tableLookedFor = false;
    xkb_compose_table *m_table = nullptr;
    xkb_compose_state *m_state = nullptr;
};
