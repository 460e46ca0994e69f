#pragma once

#include <QString>

#include <functional>

class QWindow;

// System-wide key combinations: each is grabbed under an identifier of the caller's choice,
// and every press is reported whichever program has the keyboard focus.
class Hotkeys
{
public:
    // Modifier flags of a combination.
    enum Modifier { Alt = 1, Control = 2, Shift = 4 };

    virtual ~Hotkeys();

    // Grabs the virtual key with exactly these modifiers (whatever lock keys are on) under
    // the identifier. False, with nothing grabbed, when the identifier is taken already,
    // another program holds the combination, the key is on no key of the keyboard, or there
    // is no desktop to grab from.
    virtual bool grab(int id, int virtualKey, int modifiers) = 0;
    // Releases what was grabbed under the identifier; false when nothing was.
    virtual bool release(int id) = 0;

    // Called on the interface thread for each press of a grabbed combination (a key held
    // down reports once), with its identifier. The handler answers whether a window of the
    // program is to take the keyboard focus for the press: then the keys typed from the press
    // on are held until a window given to activate() has the focus, and handed to it in their
    // order; the hold ends at the latest half a second after the press. Otherwise nothing is
    // held.
    void setPressHandler(std::function<bool(int id)> handler)
    {
        m_pressHandler = std::move(handler);
    }

    // Where the desktop binds the combinations itself (a Wayland portal), it may bind another
    // than the one asked, or none, some time after the grab: what it bound under the
    // identifier is reported here, in the desktop's own words (empty: none).
    void setBoundHandler(std::function<void(int id, const QString &trigger)> handler)
    {
        m_boundHandler = std::move(handler);
    }

    // Where the desktop binds the combinations itself and binds none for programs at all (a
    // Wayland desktop without the GlobalShortcuts portal): reported under the identifier of
    // the grab that found it out.
    void setNoShortcutsHandler(std::function<void(int id)> handler)
    {
        m_noShortcutsHandler = std::move(handler);
    }

    // Asks for the keyboard focus for the window, which is on the screen, on behalf of the
    // last press, so that the window manager lets the focus go to it.
    virtual void activate(QWindow &window) = 0;

protected:
    // Whether the press handler wants the focus for a window.
    bool reportPress(int id) const { return m_pressHandler && m_pressHandler(id); }
    void reportBound(int id, const QString &trigger) const
    {
        if (m_boundHandler)
            m_boundHandler(id, trigger);
    }
    void reportNoShortcuts(int id) const
    {
        if (m_noShortcutsHandler)
            m_noShortcutsHandler(id);
    }

private:
    std::function<bool(int id)> m_pressHandler;
    std::function<void(int id, const QString &trigger)> m_boundHandler;
    std::function<void(int id)> m_noShortcutsHandler;
};
