#include "X11Hotkeys.h"

#include "platform/VirtualKeys.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The modifiers a combination is made of; lock keys and the mouse buttons are not.
constexpr uint16_t ComboModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
constexpr xcb_keysym_t NumLockKeysym = 0xff7f;
constexpr xcb_keysym_t ScrollLockKeysym = 0xff14;
// The longest the keyboard stays ours after a press, whatever the window manager does.
constexpr std::chrono::milliseconds HoldLimit{500};

struct FreeDeleter
{
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

uint16_t toX11Modifiers(int modifiers)
{
    uint16_t mask = 0;
    if (modifiers & Hotkeys::Alt)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Hotkeys::Control)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Hotkeys::Shift)
        mask |= XCB_MOD_MASK_SHIFT;
    return mask;
}

std::vector<xcb_keycode_t> keycodesOf(xcb_key_symbols_t *symbols, xcb_keysym_t keysym)
{
    std::vector<xcb_keycode_t> keycodes;
    const XcbReply<xcb_keycode_t> list(xcb_key_symbols_get_keycode(symbols, keysym));
    for (const xcb_keycode_t *k = list.get(); k && *k != XCB_NO_SYMBOL; ++k)
        keycodes.push_back(*k);
    // A keysym shown in several columns of one key is listed once for each.
    std::sort(keycodes.begin(), keycodes.end());
    keycodes.erase(std::unique(keycodes.begin(), keycodes.end()), keycodes.end());
    return keycodes;
}

bool contains(const std::vector<xcb_keycode_t> &keycodes, xcb_keycode_t keycode)
{
    return std::find(keycodes.begin(), keycodes.end(), keycode) != keycodes.end();
}

bool isSynthetic(const xcb_key_press_event_t &event)
{
    return event.response_type & 0x80;
}

} // namespace

X11Hotkeys::X11Hotkeys()
{
    m_holdLimit.setSingleShot(true);
    m_holdLimit.setInterval(HoldLimit);
    connect(&m_holdLimit, &QTimer::timeout, this, &X11Hotkeys::endHold);
}

X11Hotkeys::~X11Hotkeys()
{
    // The connection goes with the application; the server drops its grabs by itself then.
    if (!m_connection || !qGuiApp)
        return;
    qGuiApp->removeNativeEventFilter(this);
    endHold();
    for (const auto &[id, combination] : m_grabs)
        ungrabKeys(combination);
    xcb_flush(m_connection);
    xcb_key_symbols_free(m_symbols);
}

bool X11Hotkeys::grab(int id, int virtualKey, int modifiers)
{
    const VirtualKeys::Key *key = VirtualKeys::find(virtualKey);
    if (m_grabs.contains(id) || !key || !connectToDisplay())
        return false;
    Combination combination{key->vk, toX11Modifiers(modifiers), keysOf(key->vk)};
    // Two identifiers on one combination would share one grab of the server's, and releasing
    // either would release both.
    for (const auto &entry : m_grabs) {
        const Combination &grabbed = entry.second;
        if (grabbed.modifiers == combination.modifiers
            && std::ranges::any_of(combination.keycodes, [&](xcb_keycode_t keycode) {
                   return contains(grabbed.keycodes, keycode);
               }))
            return false;
    }
    if (!grabKeys(combination))
        return false;
    m_grabs.emplace(id, std::move(combination));
    return true;
}

bool X11Hotkeys::release(int id)
{
    const auto it = m_grabs.find(id);
    if (it == m_grabs.end())
        return false;
    ungrabKeys(it->second);
    xcb_flush(m_connection);
    m_grabs.erase(it);
    return true;
}

// Asked of the window manager by a request from an application, dated by the press: window
// managers that prevent focus stealing let the focus go to a window the user has just asked
// for, and to no other.
void X11Hotkeys::activate(QWindow &window)
{
    if (!m_connection)
        return;
    m_target = &window;
    m_targetWindow = xcb_window_t(window.winId());
    static constexpr char name[] = "_NET_ACTIVE_WINDOW";
    const xcb_intern_atom_cookie_t atom = xcb_intern_atom(m_connection, 0, sizeof name - 1, name);
    const xcb_get_input_focus_cookie_t focus = xcb_get_input_focus(m_connection);
    const XcbReply<xcb_intern_atom_reply_t> atomReply(
        xcb_intern_atom_reply(m_connection, atom, nullptr));
    const XcbReply<xcb_get_input_focus_reply_t> focusReply(
        xcb_get_input_focus_reply(m_connection, focus, nullptr));
    // Asked of the server: Qt still calls a window active for a moment after it was hidden.
    if (focusReply && focusReply->focus == m_targetWindow) {
        endHold();
        return;
    }
    if (!atomReply)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = m_targetWindow;
    message.type = atomReply->atom;
    message.data.data32[0] = 1;
    message.data.data32[1] = m_pressTime;
    message.data.data32[2] = XCB_NONE;
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(m_connection);
}

bool X11Hotkeys::connectToDisplay()
{
    if (m_connection)
        return true;
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        // Offscreen, or Wayland without XWayland. Said once: the settings may ask again and again.
        static bool told = false;
        if (!told)
            std::fputs("tblaunch: no X11 display: the global hotkey is not available\n", stderr);
        told = true;
        return false;
    }
    m_connection = connection;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    m_symbols = xcb_key_symbols_alloc(connection);
    readKeyboard();
    qGuiApp->installNativeEventFilter(this);
    return true;
}

// Lock keys add their modifiers to a press's state, and a grab matches the exact state: each
// combination is grabbed once for every way the lock keys can be on.
void X11Hotkeys::readKeyboard()
{
    std::vector<uint16_t> locks{XCB_MOD_MASK_LOCK};
    const XcbReply<xcb_get_modifier_mapping_reply_t> mapping(xcb_get_modifier_mapping_reply(
        m_connection, xcb_get_modifier_mapping(m_connection), nullptr));
    if (mapping) {
        const xcb_keycode_t *keycodes = xcb_get_modifier_mapping_keycodes(mapping.get());
        const int perModifier = mapping->keycodes_per_modifier;
        for (xcb_keysym_t keysym : {NumLockKeysym, ScrollLockKeysym}) {
            const std::vector<xcb_keycode_t> lockKeys = keycodesOf(m_symbols, keysym);
            uint16_t mask = 0;
            for (int i = 0; i < 8 * perModifier; ++i)
                if (keycodes[i] != XCB_NO_SYMBOL && contains(lockKeys, keycodes[i]))
                    mask |= 1 << (i / perModifier);
            // ScrollLock is often on no modifier; one on a combination's modifier is no lock.
            if (mask && !(mask & ComboModifiers)
                && std::find(locks.begin(), locks.end(), mask) == locks.end())
                locks.push_back(mask);
        }
    }
    m_lockStates = {0};
    for (uint16_t lock : locks) {
        const size_t count = m_lockStates.size();
        for (size_t i = 0; i < count; ++i)
            m_lockStates.push_back(m_lockStates[i] | lock);
    }
}

bool X11Hotkeys::grabKeys(Combination &combination)
{
    if (combination.keycodes.empty())
        return false;
    // Checked requests: an unchecked grab that another client holds fails without a word.
    // A press freezes the keyboard until this program has read it: the keys typed right after
    // wait in the server instead of going to the program the user came from.
    std::vector<xcb_void_cookie_t> cookies;
    for (xcb_keycode_t keycode : combination.keycodes)
        for (uint16_t locks : m_lockStates)
            cookies.push_back(xcb_grab_key_checked(m_connection, 0, m_root,
                                                   combination.modifiers | locks, keycode,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_SYNC));
    bool grabbed = true;
    for (xcb_void_cookie_t cookie : cookies)
        if (XcbReply<xcb_generic_error_t>(xcb_request_check(m_connection, cookie)))
            grabbed = false; // BadAccess: another client has it
    if (!grabbed) {
        // Ungrabbing what another client holds leaves its grab alone.
        ungrabKeys(combination);
        xcb_flush(m_connection);
    }
    return grabbed;
}

void X11Hotkeys::ungrabKeys(const Combination &combination)
{
    for (xcb_keycode_t keycode : combination.keycodes)
        for (uint16_t locks : m_lockStates)
            xcb_ungrab_key(m_connection, keycode, m_root, combination.modifiers | locks);
}

// The keys that are the virtual key, read from their unshifted symbols as the settings field
// reads a key pressed: the ";+" key of a Japanese keyboard, not the one with "=" on Shift.
std::vector<xcb_keycode_t> X11Hotkeys::keysOf(int vk) const
{
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    std::vector<xcb_keycode_t> keycodes;
    for (int keycode = setup->min_keycode; keycode <= setup->max_keycode; ++keycode) {
        const auto k = xcb_keycode_t(keycode);
        if (VirtualKeys::fromKeysyms(xcb_key_symbols_get_keysym(m_symbols, k, 0),
                                     xcb_key_symbols_get_keysym(m_symbols, k, 1))
            == vk)
            keycodes.push_back(k);
    }
    return keycodes;
}

// The keys or the lock modifiers moved: grab the same virtual keys on their new keycodes.
// The new grabs come first and only what they leave is let go, so that a press arriving
// meanwhile (the keymap changes at every key a typing tool maps) still comes here.
void X11Hotkeys::grabAgain()
{
    const std::map<int, Combination> before = m_grabs;
    const std::vector<uint16_t> lockStatesBefore = m_lockStates;
    readKeyboard();
    for (auto &[id, combination] : m_grabs) {
        combination.keycodes = keysOf(combination.vk);
        grabKeys(combination); // one taken meanwhile by another client stays released
    }
    const auto grabbedNow = [&](xcb_keycode_t keycode, uint16_t modifiers) {
        return std::ranges::any_of(m_grabs, [&](const auto &grab) {
            const Combination &combination = grab.second;
            return contains(combination.keycodes, keycode)
                   && std::ranges::any_of(m_lockStates, [&](uint16_t locks) {
                          return (combination.modifiers | locks) == modifiers;
                      });
        });
    };
    for (const auto &[id, combination] : before)
        for (xcb_keycode_t keycode : combination.keycodes)
            for (uint16_t locks : lockStatesBefore)
                if (!grabbedNow(keycode, combination.modifiers | locks))
                    xcb_ungrab_key(m_connection, keycode, m_root, combination.modifiers | locks);
    xcb_flush(m_connection);
}

bool X11Hotkeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_KEY_PRESS:
        return onKeyPress(*static_cast<const xcb_key_press_event_t *>(message));
    case XCB_KEY_RELEASE:
        return onKeyRelease(*static_cast<const xcb_key_release_event_t *>(message));
    case XCB_MAPPING_NOTIFY: {
        auto *mapping = static_cast<xcb_mapping_notify_event_t *>(message);
        if (mapping->request != XCB_MAPPING_POINTER) {
            xcb_refresh_keyboard_mapping(m_symbols, mapping);
            grabAgain();
        }
        return false; // Qt reads its keymap again too
    }
    case XCB_FOCUS_IN: {
        // The held keys are sent once the server gives the window the focus: they come back
        // after this event, which makes it Qt's focus window.
        const auto *focus = static_cast<const xcb_focus_in_event_t *>(message);
        if (m_holding && m_target && focus->event == m_targetWindow
            && focus->detail != XCB_NOTIFY_DETAIL_POINTER)
            endHold();
        return false;
    }
    default:
        return false;
    }
}

// Key events on the root window are ours: presses of a grabbed combination, and whatever is
// typed while the keyboard is held.
bool X11Hotkeys::onKeyPress(const xcb_key_press_event_t &event)
{
    if (event.event != m_root || isSynthetic(event))
        return keepInOrder(event);
    for (const auto &[id, combination] : m_grabs) {
        if ((event.state & ComboModifiers) == combination.modifiers
            && contains(combination.keycodes, event.detail)) {
            const bool repeat = event.detail == m_lastReleaseKey && event.time == m_lastReleaseTime;
            if (repeat)
                thaw(event);
            else
                press(id, event);
            // Qt too dates the user's last action by a press, and its own activations with that.
            return repeat;
        }
    }
    // Its grab was released, or moved to other keys, while the press was on its way: it
    // froze the keyboard all the same.
    thaw(event);
    return keep(event);
}

// A press of a grab froze the whole desktop's keyboard until it is answered, so every press
// on the root window is answered; where nothing is frozen the answer does nothing. What was
// typed after the press waited in the server and comes now: to the hold, or where it was
// typed when there is none.
void X11Hotkeys::thaw(const xcb_key_press_event_t &event)
{
    xcb_allow_events(m_connection, XCB_ALLOW_ASYNC_KEYBOARD, event.time);
    xcb_flush(m_connection);
}

bool X11Hotkeys::onKeyRelease(const xcb_key_release_event_t &event)
{
    if (event.event != m_root || isSynthetic(event))
        return keepInOrder(event);
    m_lastReleaseKey = event.detail;
    m_lastReleaseTime = event.time;
    if (event.detail == m_pressKey)
        return true; // the hotkey's own release is nobody's
    return keep(event);
}

// Another key on the root window: typed while the keyboard is held, or just before the hold
// ended and read just after.
bool X11Hotkeys::keep(const xcb_key_press_event_t &event)
{
    if (m_holding) {
        m_held.push_back(event);
    } else if (m_target && m_target->isVisible()) {
        send(event, m_targetWindow);
        xcb_flush(m_connection);
    } else {
        return false;
    }
    return true;
}

// Keys sent on come back after whatever the server had queued for this program by then:
// until the last of them is back, keys typed straight into a window of ours are sent the
// same way, behind them.
bool X11Hotkeys::keepInOrder(const xcb_key_press_event_t &event)
{
    if (m_keysInFlight == 0)
        return false;
    if (isSynthetic(event)) {
        --m_keysInFlight;
        return false;
    }
    send(event, event.event);
    xcb_flush(m_connection);
    return true;
}

void X11Hotkeys::press(int id, const xcb_key_press_event_t &event)
{
    m_pressKey = event.detail;
    m_pressTime = event.time;
    if (!m_holding) {
        // Taking the keyboard with the press's own time turns the grab that the press started
        // into one that outlasts the key's release.
        const XcbReply<xcb_grab_keyboard_reply_t> reply(
            xcb_grab_keyboard_reply(m_connection,
                                    xcb_grab_keyboard(m_connection, 0, m_root, event.time,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                    nullptr));
        m_holding = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
        if (m_holding) {
            m_held.clear();
            m_holdLimit.start();
        }
    }
    // Before the handler, which may take its time (a box, a slow window).
    thaw(event);
    if (!reportPress(id))
        endHold();
}

// Hands the held keys to the target in their order and gives the keyboard back. The keys
// sent come back to this program before any typed after the ungrab.
void X11Hotkeys::endHold()
{
    if (!m_holding)
        return;
    m_holding = false;
    m_holdLimit.stop();
    if (m_target)
        for (const xcb_key_press_event_t &event : m_held)
            send(event, m_targetWindow);
    m_held.clear();
    xcb_ungrab_keyboard(m_connection, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
}

// Qt's xcb plugin takes a sent key event like a typed one, with the modifiers of its state,
// and gives it to its focus window.
void X11Hotkeys::send(xcb_key_press_event_t event, xcb_window_t window)
{
    event.response_type &= ~0x80;
    event.event = window;
    event.child = XCB_NONE;
    event.same_screen = 1;
    // No event mask: to the window's creator, which is this program.
    xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&event));
    ++m_keysInFlight;
}
