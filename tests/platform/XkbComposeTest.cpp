#include "CaseName.h"
#include "TempFolder.h"

#include "platform/linux/XkbCompose.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <xkbcommon/xkbcommon.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The test's own table, named by XCOMPOSEFILE as a user's own would be.
constexpr char composeFile[] = "<dead_acute> <e> : \"é\" eacute\n"
                               "<Multi_key> <o> <c> : \"©\" copyright\n";

struct ComposeCase
{
    const char *name;
    // Keysym names typed in turn; "|" moves the focus to another line and back.
    const char *keys;
    const char *text; // what the line reads afterwards
    bool acceptsInputMethod = true;
    bool tableFound = true;
    bool tableHeld = true; // afterwards: read only for a key that begins a sequence
};

const ComposeCase composeCases[] = {
    {"deadKeyComposes", "dead_acute e", "é"},
    {"multiKeyComposes", "Multi_key o c", "©"},
    {"plainKeysPass", "a b", "ab", true, true, false},
    {"composedBetweenPlainKeys", "a dead_acute e b", "aéb"},
    {"modifierInsideSequencePassesAndTheSequenceGoesOn", "dead_acute Shift_L e", "é"},
    {"keyBreakingSequenceIsTyped", "dead_acute x y", "xy"},
    {"focusChangeForgetsHalfTypedSequence", "dead_acute | e", "e"},
    {"lineWithoutInputMethodsGetsKeysUntouched", "dead_acute e", "e", false, true, false},
    {"noTableAnywhereLetsEveryKeyThrough", "dead_acute e", "e", true, false, false},
};

// A line that takes input methods or, like a widget without text input, does not.
class Line : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        return query == Qt::ImEnabled ? acceptsInputMethod : QLineEdit::inputMethodQuery(query);
    }

    bool acceptsInputMethod = true;
};

// Where a compose table is looked for: the test's file, and the locale's tables and the
// user's own in a folder that holds neither. Restored after the test.
const char *const lookupVariables[] = {"XCOMPOSEFILE", "XLOCALEDIR", "HOME", "XDG_CONFIG_HOME"};

class XkbComposeTest : public testing::TestWithParam<ComposeCase>
{
protected:
    void SetUp() override
    {
        for (const char *name : lookupVariables)
            saved.emplace_back(name, qgetenv(name)); // null when unset
        if (GetParam().tableFound)
            temp.write(QStringLiteral("Compose"), composeFile);
        qputenv("XCOMPOSEFILE", QFile::encodeName(temp.file(QStringLiteral("Compose"))));
        for (const char *folder : {"XLOCALEDIR", "HOME", "XDG_CONFIG_HOME"})
            qputenv(folder, QFile::encodeName(temp.path()));

        line.acceptsInputMethod = GetParam().acceptsInputMethod;
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(&line);
        layout->addWidget(&other);
        window.show();
        window.activateWindow();
        QCoreApplication::processEvents();
        line.setFocus();
        ASSERT_EQ(QApplication::focusObject(), &line);
        compose.start();
    }

    void TearDown() override
    {
        for (const auto &[name, value] : saved)
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }

    // A key press and release as the X11 platform delivers them: to the window, with the
    // keysym as the native virtual key.
    void type(xkb_keysym_t keysym)
    {
        char utf8[8] = {};
        xkb_keysym_to_utf8(keysym, utf8, sizeof utf8);
        const QString text = QString::fromUtf8(utf8);
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, 0, keysym, 0, text);
            QCoreApplication::sendEvent(window.windowHandle(), &event);
        }
    }

    std::vector<std::pair<const char *, QByteArray>> saved;
    TempFolder temp;
    QWidget window;
    Line line{&window};
    QLineEdit other{&window};
    XkbCompose compose;
};

TEST_P(XkbComposeTest, typesIntoTheLine)
{
    const ComposeCase &c = GetParam();
    for (const QString &key : QString::fromUtf8(c.keys).split(u' ')) {
        if (key == u'|') {
            other.setFocus();
            line.setFocus();
            continue;
        }
        const xkb_keysym_t keysym = xkb_keysym_from_name(key.toUtf8(), XKB_KEYSYM_NO_FLAGS);
        ASSERT_NE(keysym, XKB_KEY_NoSymbol) << key.toStdString();
        type(keysym);
    }
    EXPECT_EQ(line.text().toStdString(), c.text);
    EXPECT_EQ(compose.hasTable(), c.tableHeld);
}

INSTANTIATE_TEST_SUITE_P(Keys, XkbComposeTest, testing::ValuesIn(composeCases), CaseName());

} // namespace
