#pragma once

#include <QObject>

#include <string>
#include <thread>

struct xkb_compose_table;
struct xkb_compose_state;

// Dead keys and compose sequences for typing without an input method, in place of the
// toolkit's own compose input context (main() switches that one off).
//
// The locale's compose table takes a few milliseconds to read; the toolkit reads it at the
// first key press, on the main thread. Here it is built on a thread of its own from start(),
// so it is ready long before the first key. A key that comes earlier waits for it.
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

    // Starts building the table for the current LC_CTYPE locale (XCOMPOSEFILE, then
    // ~/.XCompose, then the locale's file, as libxkbcommon looks for it) and filters the
    // application's key presses from then on. Call once, after the application exists.
    void start();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Waits for the table once; answers whether there is a state to feed.
    bool ready();
    void reset();

    std::thread m_builder;
    std::string m_locale;
    // Written by the builder only; read by the main thread only after joining it.
    xkb_compose_table *m_table = nullptr;
    xkb_compose_state *m_state = nullptr;
};
