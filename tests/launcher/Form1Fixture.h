#pragma once

#include "launcher/AppContext.h"
#include "launcher/Unit1.h"
#include "launcher/Windows.h"
#include "platform/fake/FakeIcons.h"
#include "platform/fake/FakeKeyNames.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeWindowFrame.h"

#include "FakeInteraction.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

// The windows over a temporary executable folder, with fake services.
class Form1Fixture : public ::testing::Test
{
protected:
    void start();
    void TearDown() override;

    // Puts the text into the input line and presses Enter through the key handlers.
    void enter(const QString &text);
    // Real key events sent to the input line.
    void type(const QString &text);
    void press(Qt::Key key);
    bool displayCleared() const;

    TempFolder dir;
    FakeShell shell;
    FakePower power;
    FakeIcons icons;
    FakeKeyNames keyNames;
    FakeWindowFrame windowFrame;
    FakeInteraction interaction;
    AppContext context{
        dir.path(), dir.file("tblaunch.ini"), shell, power, icons, keyNames, windowFrame,
        interaction};
    std::unique_ptr<Windows> windows;
    TForm1 *form = nullptr;
};
