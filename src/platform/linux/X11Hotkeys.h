#pragma once

#include "platform/Hotkeys.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <map>
#include <vector>

// Hotkeys on X11: passive key grabs on the root window, one per keycode and lock-key state,
// read through Qt's native event filter.
//
// A press freezes the keyboard until it is read, and when the press handler wants the focus
// for a window, the whole keyboard is held from then on until the window given to activate()
// has the focus, or for half a second at most: what the user types right after the hotkey is
// kept and then sent on to that window instead of landing in the program they came from.
class X11Hotkeys : public QObject, public Hotkeys, private QAbstractNativeEventFilter
{
public:
    X11Hotkeys();
    ~X11Hotkeys() override;

    bool grab(int id, int virtualKey, int modifiers) override;
    bool release(int id) override;
    void activate(QWindow &window) override;

private:
    struct Combination
    {
        int vk;
        uint16_t modifiers; // X modifier mask, without lock keys
        std::vector<xcb_keycode_t> keycodes;
    };

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    bool connectToDisplay();
    void readKeyboard();
    std::vector<xcb_keycode_t> keysOf(int vk) const;
    bool grabKeys(Combination &combination);
    void ungrabKeys(const Combination &combination);
    void grabAgain();

    bool onKeyPress(const xcb_key_press_event_t &event);
    bool onKeyRelease(const xcb_key_release_event_t &event);
    void thaw(const xcb_key_press_event_t &event);
    bool keep(const xcb_key_press_event_t &event);
    bool keepInOrder(const xcb_key_press_event_t &event);
    void press(int id, const xcb_key_press_event_t &event);
    void endHold();
    void send(xcb_key_press_event_t event, xcb_window_t window);

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    xcb_key_symbols_t *m_symbols = nullptr;
    std::vector<uint16_t> m_lockStates; // every combination of the lock keys' modifiers
    std::map<int, Combination> m_grabs;

    // Auto-repeat comes as a release and a press with the same timestamp.
    xcb_keycode_t m_lastReleaseKey = 0;
    xcb_timestamp_t m_lastReleaseTime = XCB_CURRENT_TIME;

    // The hold of the keyboard after a press, and the window it is for.
    bool m_holding = false;
    xcb_keycode_t m_pressKey = 0;
    xcb_timestamp_t m_pressTime = XCB_CURRENT_TIME;
    std::vector<xcb_key_press_event_t> m_held;
    QPointer<QWindow> m_target;
    xcb_window_t m_targetWindow = XCB_NONE;
    QTimer m_holdLimit;
    int m_keysInFlight = 0; // sent on to a window of ours, not back yet
};
