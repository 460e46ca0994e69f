#pragma once

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
    // down reports once), with its identifier.
    void setPressHandler(std::function<void(int id)> handler)
    {
        m_pressHandler = std::move(handler);
    }

    // Called from the press handler: asks for the keyboard focus for the window on behalf of
    // the press, so that the window manager lets the focus go to it; a window not shown yet
    // gets it once it is shown. The keys typed from the
    // press on until the window has the focus are held and then handed to it in their order;
    // the hold ends at the latest half a second after the press.
    virtual void takeFocus(QWindow &window) = 0;

protected:
    void reportPress(int id) const
    {
        if (m_pressHandler)
            m_pressHandler(id);
    }

private:
    std::function<void(int id)> m_pressHandler;
};
