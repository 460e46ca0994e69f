#include "app/Summoner.h"

#include "platform/fake/FakeHotkeys.h"
#include "platform/fake/FakeKeyNames.h"
#include "settings/Settings.h"

#include "CaseName.h"
#include "FakeInteraction.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Combination = FakeHotkeys::Combination;
const Combination CtrlAltK{0x4B, 3}, CtrlAltL{0x4C, 3};

class SummonerTest : public ::testing::Test
{
protected:
    void start(const QByteArray &ini)
    {
        folder.write("tblaunch.ini", ini);
        settings.load();
        summoner.setTarget(
            [this](bool atPointer) {
                summons << atPointer;
                window.show();
            },
            window);
        summoner.start();
    }

    // Until the window shown is on the screen, two seconds at most.
    void waitForExposure()
    {
        const QDeadlineTimer deadline(2000);
        while (window.isVisible() && !window.isExposed() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
    }

    TempFolder folder;
    FakeKeyNames keyNames;
    FakeHotkeys hotkeys;
    FakeInteraction interaction;
    Settings settings{folder.file("tblaunch.ini"), keyNames};
    Summoner summoner{hotkeys, settings, interaction};
    QWindow window;
    QList<bool> summons; // each summon, at the pointer or not
};

struct PressCase
{
    const char *name;
    QByteArray ini;
    std::function<void(Settings &)> change; // after start-up
    QMap<int, Combination> grabbed;
    QList<bool> summons; // by one press
};

class SummonerPress : public SummonerTest, public ::testing::WithParamInterface<PressCase>
{
};

// A press summons the window as the settings say, and the window once shown asks for the
// focus; the grab follows the settings, a typed combination only once applied.
TEST_P(SummonerPress, FollowsTheSettings)
{
    const PressCase &c = GetParam();
    start(c.ini);
    c.change(settings);
    EXPECT_EQ(hotkeys.grabbed, c.grabbed);
    EXPECT_EQ(hotkeys.press(1), !c.summons.isEmpty()); // keys held for the window or not
    EXPECT_EQ(summons, c.summons);
    waitForExposure();
    EXPECT_EQ(hotkeys.focusRequests, c.summons.size());
    EXPECT_EQ(hotkeys.activated, c.summons.isEmpty() ? nullptr : &window);
}

const QByteArray kCtrlAltK = "[hotkey]\r\nkey=Ctrl+Alt+K\r\n";
const auto kNoChange = [](Settings &) {
};

INSTANTIATE_TEST_SUITE_P(
    Cases, SummonerPress,
    ::testing::Values(
        PressCase{"AtThePointer", kCtrlAltK, kNoChange, {{1, CtrlAltK}}, {true}},
        PressCase{"WhereItWas",
                  kCtrlAltK + "[Setting]\r\nMousePoint=0\r\n",
                  kNoChange,
                  {{1, CtrlAltK}},
                  {false}},
        PressCase{"PointerSwitchedLive",
                  kCtrlAltK,
                  [](Settings &s) { s.setAppearAtPointer(false); },
                  {{1, CtrlAltK}},
                  {false}},
        PressCase{"OffAtStart", kCtrlAltK + "[Setting]\r\nHookHotKey=0\r\n", kNoChange, {}, {}},
        PressCase{"SwitchedOff", kCtrlAltK, [](Settings &s) { s.setUseHotkey(false); }, {}, {}},
        PressCase{"SwitchedOffAndOnWithATypedCombination",
                  kCtrlAltK + "[Setting]\r\nHookHotKey=0\r\n",
                  [](Settings &s) {
                      s.setHotkey(0xC04C);
                      s.setUseHotkey(true);
                  },
                  {{1, CtrlAltL}},
                  {true}},
        PressCase{"TypedNotApplied",
                  kCtrlAltK,
                  [](Settings &s) { s.setHotkey(0xC04C); },
                  {{1, CtrlAltK}},
                  {true}},
        PressCase{"Applied",
                  kCtrlAltK,
                  [](Settings &s) {
                      s.setHotkey(0xC04C);
                      s.applyHotkey();
                  },
                  {{1, CtrlAltL}},
                  {true}},
        PressCase{"AppliedWhileOff",
                  kCtrlAltK + "[Setting]\r\nHookHotKey=0\r\n",
                  [](Settings &s) {
                      s.setHotkey(0xC04C);
                      s.applyHotkey();
                  },
                  {},
                  {}}),
    CaseName());

// The focus is asked for a window on the screen only: at once when it is there already,
// else once it is.
TEST_F(SummonerTest, AsksForTheFocusOnceTheWindowIsOnTheScreen)
{
    start(kCtrlAltK);
    ASSERT_FALSE(window.isExposed());
    hotkeys.press(1);
    EXPECT_EQ(hotkeys.focusRequests, 0);
    waitForExposure();
    EXPECT_EQ(hotkeys.focusRequests, 1);

    hotkeys.press(1);
    EXPECT_EQ(hotkeys.focusRequests, 2);
    waitForExposure();
    EXPECT_EQ(hotkeys.focusRequests, 2);
}

TEST_F(SummonerTest, TheGrabEndsWithTheSummoner)
{
    folder.write("tblaunch.ini", kCtrlAltK);
    {
        Summoner other(hotkeys, settings, interaction);
        settings.load();
        other.start();
        EXPECT_EQ(hotkeys.grabbed.size(), 1);
    }
    EXPECT_TRUE(hotkeys.grabbed.isEmpty());
}

} // namespace
