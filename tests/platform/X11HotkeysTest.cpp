// X11Hotkeys on a display of its own with openbox (see CMakeLists.txt), pressed with xdotool.
// The program the user comes from is played by a second connection of the test's.
#include "platform/linux/X11Hotkeys.h"

#include "CaseName.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>

namespace {

constexpr int KeyJ = 0x4A, KeyK = 0x4B, KeyL = 0x4C, KeyM = 0x4D;
constexpr int CtrlAlt = Hotkeys::Alt | Hotkeys::Control;
constexpr uint16_t X11CtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

template <typename T> using XcbPointer = std::unique_ptr<T, decltype(&std::free)>;

bool waitUntil(const std::function<bool()> &done, int milliseconds = 5000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Runs xdotool while this program goes on reading its events.
void xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    ASSERT_TRUE(waitUntil([&] { return process.state() == QProcess::NotRunning; }));
    ASSERT_EQ(process.exitCode(), 0) << arguments.join(u' ').toStdString();
}

// Another client of the display: it grabs keys and has a window that counts what is typed.
class OtherClient
{
    Q_DISABLE_COPY(OtherClient)

public:
    OtherClient()
    {
        const uint32_t events = XCB_EVENT_MASK_KEY_PRESS;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, m_root, 600, 400, 200, 100,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        xcb_map_window(m_connection, m_window);
        xcb_flush(m_connection);
    }

    ~OtherClient() { xcb_disconnect(m_connection); }

    bool grab(char letter, uint16_t modifiers)
    {
        return !XcbPointer<xcb_generic_error_t>(
            xcb_request_check(m_connection,
                              xcb_grab_key_checked(m_connection, 0, m_root, modifiers,
                                                   keycodeOf(letter), XCB_GRAB_MODE_ASYNC,
                                                   XCB_GRAB_MODE_ASYNC)),
            &std::free);
    }

    void focus() { xdotool({"windowactivate", "--sync", QString::number(m_window)}); }

    int keysTyped()
    {
        while (XcbPointer<xcb_generic_event_t> event{xcb_poll_for_event(m_connection), &std::free})
            m_keysTyped += (event->response_type & ~0x80) == XCB_KEY_PRESS;
        return m_keysTyped;
    }

private:
    xcb_keycode_t keycodeOf(char letter)
    {
        const std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(
            xcb_key_symbols_alloc(m_connection), &xcb_key_symbols_free);
        const XcbPointer<xcb_keycode_t> keycodes(
            xcb_key_symbols_get_keycode(symbols.get(), xcb_keysym_t(letter)), &std::free);
        return keycodes ? *keycodes : 0;
    }

    xcb_connection_t *const m_connection = xcb_connect(nullptr, nullptr);
    const xcb_window_t m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const xcb_window_t m_window = xcb_generate_id(m_connection);
    int m_keysTyped = 0;
};

// Asks for the focus for a window once it is on the screen, as the program does after a press.
class ActivateWhenExposed : public QObject
{
public:
    ActivateWhenExposed(Hotkeys &hotkeys, QWindow &window)
        : m_hotkeys(hotkeys)
        , m_window(window)
    {
        if (window.isExposed())
            hotkeys.activate(window);
        else
            window.installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && m_window.isExposed()) {
            m_window.removeEventFilter(this);
            m_hotkeys.activate(m_window);
        }
        return false;
    }

private:
    Hotkeys &m_hotkeys;
    QWindow &m_window;
};

class X11HotkeysTest : public testing::Test
{
protected:
    void SetUp() override
    {
        hotkeys.setPressHandler([this](int id) {
            presses.push_back(id);
            return false;
        });
    }

    X11Hotkeys hotkeys;
    std::vector<int> presses;
};

// Sees the presses of the server's auto-repeat before the hotkeys do.
class RootPressCounter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        presses +=
            (static_cast<xcb_generic_event_t *>(message)->response_type & ~0x80) == XCB_KEY_PRESS;
        return false;
    }
    int presses = 0;
};

TEST_F(X11HotkeysTest, AKeyHeldDownReportsOnce)
{
    ASSERT_TRUE(hotkeys.grab(1, KeyK, CtrlAlt));
    RootPressCounter counter;
    qApp->installNativeEventFilter(&counter);
    xdotool({"keydown", "ctrl+alt+k"});
    EXPECT_TRUE(waitUntil([&] { return counter.presses >= 3; })) << "no auto-repeat";
    xdotool({"keyup", "k", "keyup", "ctrl+alt", "key", "ctrl+alt+k"});
    ASSERT_TRUE(waitUntil([&] { return presses.size() >= 2; }));
    EXPECT_EQ(presses.size(), 2u); // any repeat reported would have come before the second press
}

TEST_F(X11HotkeysTest, RefusesWhatCannotBeGrabbedAndGrabsNothingThen)
{
    OtherClient other;
    // Another client holding a single lock-key variant is enough to refuse.
    ASSERT_TRUE(other.grab('j', X11CtrlAlt | XCB_MOD_MASK_2));
    EXPECT_FALSE(hotkeys.grab(1, KeyJ, CtrlAlt));
    EXPECT_TRUE(other.grab('j', X11CtrlAlt)) << "a variant was left grabbed";

    ASSERT_TRUE(hotkeys.grab(2, KeyL, CtrlAlt));
    EXPECT_FALSE(hotkeys.grab(2, KeyM, CtrlAlt)) << "the identifier is taken";
    EXPECT_FALSE(hotkeys.grab(3, KeyL, CtrlAlt)) << "the combination is taken";
    EXPECT_FALSE(hotkeys.grab(3, 0x07, CtrlAlt)) << "no such virtual key";
    EXPECT_FALSE(other.grab('l', X11CtrlAlt | XCB_MOD_MASK_LOCK));
    EXPECT_TRUE(hotkeys.release(2));
    EXPECT_FALSE(hotkeys.release(2));
    EXPECT_TRUE(other.grab('l', X11CtrlAlt | XCB_MOD_MASK_LOCK));
}

// A window that never gets the focus cannot keep the user's keyboard.
TEST_F(X11HotkeysTest, GivesTheKeyboardBackHalfASecondAfterThePressAtTheLatest)
{
    hotkeys.setPressHandler([&](int id) {
        presses.push_back(id);
        return true; // for a window that never comes
    });
    ASSERT_TRUE(hotkeys.grab(1, KeyK, CtrlAlt));
    OtherClient other;
    other.focus();
    xdotool({"key", "ctrl+alt+k"});
    ASSERT_TRUE(waitUntil([&] { return presses.size() == 1; }));
    const int typedBefore = other.keysTyped();
    EXPECT_TRUE(waitUntil([&] {
        xdotool({"key", "x"});
        return other.keysTyped() > typedBefore;
    }));
}

struct RaceCase
{
    const char *name;
    std::function<void(X11Hotkeys &)> change;
};

class X11HotkeysRace : public X11HotkeysTest, public testing::WithParamInterface<RaceCase>
{
};

// The grab changes while a press of it is on its way (the hotkey switched off, "OK", a new
// combination): the press froze the whole keyboard all the same, and the keyboard must come
// back to the desktop.
TEST_P(X11HotkeysRace, APressWhoseGrabWentMeanwhileLeavesTheKeyboardFree)
{
    ASSERT_TRUE(hotkeys.grab(1, KeyK, CtrlAlt));
    OtherClient other;
    other.focus();
    // Pressed while this program reads no events: the press waits in its queue.
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "ctrl+alt+k"}), 0);
    GetParam().change(hotkeys);
    const int typedBefore = other.keysTyped();
    EXPECT_TRUE(waitUntil([&] {
        xdotool({"key", "x"});
        return other.keysTyped() > typedBefore;
    })) << "the other program gets no keys";
}

INSTANTIATE_TEST_SUITE_P(, X11HotkeysRace,
                         testing::Values(RaceCase{"Released",
                                                  [](X11Hotkeys &h) {
                                                      h.release(1);
                                                  }},
                                         RaceCase{"MovedToAnotherKey",
                                                  [](X11Hotkeys &h) {
                                                      h.release(1);
                                                      h.grab(1, KeyL, CtrlAlt);
                                                  }}),
                         CaseName());

struct FocusCase
{
    const char *name;
    enum { ShownByThePressHandler, ShownAfterTheTyping, AlreadyShown } window;
    int rounds;
};

class X11HotkeysFocus : public X11HotkeysTest, public testing::WithParamInterface<FocusCase>
{
};

// The user comes from another program, presses the hotkey and types at once: the letters
// land in the line, none in the program they came from, and the window has the focus.
TEST_P(X11HotkeysFocus, KeysTypedRightAfterThePressReachTheWindowThatTakesTheFocus)
{
    QWidget window;
    auto *line = new QLineEdit(&window);
    (new QVBoxLayout(&window))->addWidget(line);
    line->setFocus();
    window.winId();
    QElapsedTimer sincePress;
    std::unique_ptr<ActivateWhenExposed> activation;
    hotkeys.setPressHandler([&](int) {
        sincePress.start();
        if (GetParam().window != FocusCase::ShownAfterTheTyping)
            window.show();
        activation = std::make_unique<ActivateWhenExposed>(hotkeys, *window.windowHandle());
        return true;
    });
    ASSERT_TRUE(hotkeys.grab(1, KeyK, CtrlAlt));
    OtherClient other;
    std::vector<qint64> toFocus;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &window, [&](QWindow *focus) {
        if (focus == window.windowHandle() && sincePress.isValid())
            toFocus.push_back(sincePress.elapsed());
    });

    for (int round = 1; round <= GetParam().rounds; ++round) {
        window.setVisible(GetParam().window == FocusCase::AlreadyShown);
        line->clear();
        other.focus();
        // Qt keeps a hidden window its focus window for a while in case the focus comes back.
        ASSERT_TRUE(waitUntil([&] { return !QGuiApplication::focusWindow(); }));
        sincePress.invalidate();
        const int typedBefore = other.keysTyped();
        // All in one go: the server has every key before this program reads the press.
        xdotool({"key", "--delay", "0", "ctrl+alt+k", "a", "b", "c", "d", "e", "f"});
        window.show();
        ASSERT_TRUE(waitUntil([&] { return line->text() == "abcdef" && window.isActiveWindow(); }))
            << "round " << round << ": \"" << line->text().toStdString() << '"';
        EXPECT_LT(sincePress.elapsed(), 450) << "the keys waited for the time limit";
        // Ctrl and Alt may still be on their way to it when the line is complete.
        waitUntil([&] { return other.keysTyped() >= typedBefore + 2; }, 1000);
        EXPECT_EQ(other.keysTyped(), typedBefore + 2) << "more than Ctrl and Alt went there";
    }
    ASSERT_EQ(toFocus.size(), size_t(GetParam().rounds));
    std::sort(toFocus.begin(), toFocus.end());
    std::cout << "press to focus: median " << toFocus[toFocus.size() / 2] << " ms, worst "
              << toFocus.back() << " ms\n";
}

INSTANTIATE_TEST_SUITE_P(
    , X11HotkeysFocus,
    testing::Values(FocusCase{"ShownByThePressHandler", FocusCase::ShownByThePressHandler, 20},
                    FocusCase{"ShownAfterTheTyping", FocusCase::ShownAfterTheTyping, 3},
                    FocusCase{"AlreadyShown", FocusCase::AlreadyShown, 3}),
    CaseName());

// Last: openbox takes a while over the next new window after a keymap change.
struct LockCase
{
    const char *name;
    const char *key; // pressed before the hotkey and after it
};

class X11HotkeysLocks : public X11HotkeysTest, public testing::WithParamInterface<LockCase>
{
};

TEST_P(X11HotkeysLocks, ReportsAPressWhateverLockKeyIsOn)
{
    ASSERT_TRUE(hotkeys.grab(7, KeyK, CtrlAlt));
    const QString key = GetParam().key;
    xdotool(key.isEmpty() ? QStringList{"key", "ctrl+alt+k"}
                          : QStringList{"key", key, "ctrl+alt+k", key});
    EXPECT_TRUE(waitUntil([&] { return presses == std::vector<int>{7}; }));
}

INSTANTIATE_TEST_SUITE_P(, X11HotkeysLocks,
                         testing::Values(LockCase{"NoLock", ""}, LockCase{"NumLock", "Num_Lock"},
                                         LockCase{"CapsLock", "Caps_Lock"},
                                         // xdotool maps it on a spare key for the press
                                         LockCase{"AfterAKeymapChange", "EuroSign"}),
                         CaseName());

} // namespace
