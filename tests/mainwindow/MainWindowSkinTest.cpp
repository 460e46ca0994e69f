#include "WindowsFixture.h"

#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "skins/WindowShape.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QScreen>

namespace {

using Command = MainMenu::Command;

// A picture of one colour with its top-left 4 × 4 corner in the transparent red.
QByteArray bitmap(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

class MainWindowSkin : public WindowsFixture
{
protected:
    // A skin folder with a 60 × 40 bitmap cut by red (clRed) and the controls placed.
    void skin(const QString &name, const QByteArray &extraLines = {})
    {
        dir.write("skin/" + name + "/look.bmp", bitmap({60, 40}));
        dir.write("skin/" + name + "/skin.ini",
                  "[Skin]\r\nSkinName=look.bmp\r\nIconTop=4\r\nIconLeft=20\r\nListTop=6\r\n"
                  "ListLeft=5\r\nListWidth=50\r\nListBColor=clYellow\r\nExplanationTop=30\r\n"
                  "ExplanationLeft=7\r\nExplanationWidth=44\r\nTransparentColor=clRed\r\n"
                      + extraLines);
    }

    WindowShape *shape() const { return child<WindowShape>(*window, "windowShape"); }
    QStringList submenu() const
    {
        QStringList captions;
        for (QAction *item : menu()->skinActions())
            captions.append(item->text());
        return captions;
    }
    QAction *skinItem(const QString &name) const
    {
        for (QAction *item : menu()->skinActions())
            if (item->data().toString() == name)
                return item;
        return nullptr;
    }
    QString setting(const char *key) const
    {
        const QString text = file("tblaunch.ini");
        const qsizetype at = text.indexOf(QString::fromLatin1(key) + u'=');
        return at < 0 ? QStringLiteral("<none>")
                      : text.mid(at).section(u'=', 1).section(QStringLiteral("\r\n"), 0, 0);
    }
};

TEST_F(MainWindowSkin, TheSubmenuListsTheRootReversedWithDefaultLast)
{
    skin("b");
    skin("A");
    skin("R&B");
    dir.write("skin/notes.txt", "a file lying in the root");
    start();
    EXPECT_EQ(submenu(), (QStringList{"R&&B", "notes.txt", "b", "A", "default"}));
    EXPECT_TRUE(action(Command::DefaultSkin)->isChecked());
    EXPECT_TRUE(shape()->isHidden());
}

TEST_F(MainWindowSkin, TheStoredSkinIsAppliedAtStartUpOverTheDefault)
{
    skin("blue");
    dir.write("tblaunch.ini", "[Window]\r\nDefaultSkin=1\r\nSelectedSkinName=blue\r\n");
    start();
    EXPECT_FALSE(action(Command::DefaultSkin)->isChecked());
    EXPECT_TRUE(skinItem("blue")->isChecked());
    EXPECT_EQ(window->size(), QSize(60, 40));
    EXPECT_FALSE(shape()->isHidden());
    EXPECT_EQ(icon()->pos(), QPoint(20, 4));
    EXPECT_EQ(keywordBox()->geometry().topLeft(), QPoint(5, 6));
    EXPECT_EQ(keywordBox()->width(), 50);
    EXPECT_EQ(description()->geometry(), QRect(7, 30, 44, description()->height()));
    EXPECT_EQ(input()->palette().color(QPalette::Base), QColor(255, 255, 0));
    // The red corner and the top row and left column are cut away.
    EXPECT_FALSE(window->mask().contains(QPoint(2, 2)));
    EXPECT_FALSE(window->mask().contains(QPoint(0, 20)));
    EXPECT_TRUE(window->mask().contains(QPoint(30, 20)));
    EXPECT_EQ(window->selectedSkinName(), "blue");
}

TEST_F(MainWindowSkin, ANameWithAnAmpersandIsAppliedAndStoredAsItIs)
{
    skin("R&B");
    start();
    skinItem("R&B")->trigger();
    EXPECT_TRUE(interaction.errors.isEmpty());
    EXPECT_EQ(window->size(), QSize(60, 40));
    EXPECT_EQ(setting("SelectedSkinName"), "R&B");
    window->quit();
    EXPECT_EQ(setting("SelectedSkinName"), "R&B");
}

struct FailureCase
{
    const char *name;
    const char *skinIni;   // nullptr: the skin is a file in the root
    const char *bitmapName;
    bool listColourApplied; // the yellow background came before the failure
};

class MainWindowSkinFailure : public MainWindowSkin, public testing::WithParamInterface<FailureCase>
{
};

// What fails stops the choice where it happens: the settings key and the menu's check come
// first, the picture, the shape and the places last.
TEST_P(MainWindowSkinFailure, LeavesWhatCameBefore)
{
    skin("good");
    const FailureCase &c = GetParam();
    if (c.skinIni)
        dir.write(QStringLiteral("skin/bad/skin.ini"), QByteArray(c.skinIni));
    else
        dir.write("skin/bad", "a file");
    if (c.bitmapName)
        dir.write(QStringLiteral("skin/bad/") + c.bitmapName, "not a bitmap");
    dir.write("tblaunch.ini", "[Window]\r\nSelectedSkinName=good\r\n");
    start();
    skinItem("bad")->trigger();
    EXPECT_EQ(interaction.errors.size(), 1);
    EXPECT_EQ(setting("SelectedSkinName"), "bad");
    EXPECT_TRUE(skinItem("bad")->isChecked());
    EXPECT_EQ(window->size(), QSize(60, 40)) << "the good skin's picture and places stay";
    EXPECT_EQ(icon()->pos(), QPoint(20, 4));
    EXPECT_EQ(input()->palette().color(QPalette::Base) == QColor(0, 0, 255), c.listColourApplied);
}

INSTANTIATE_TEST_SUITE_P(
    , MainWindowSkinFailure,
    testing::Values(
        FailureCase{"AFileInTheRoot", nullptr, nullptr, false},
        FailureCase{"ABadColour", "[Skin]\r\nListBColor=clBlue\r\nListTColor=bogus\r\n", nullptr,
                    true},
        FailureCase{"NotABitmap", "[Skin]\r\nSkinName=x.bmp\r\nListBColor=clBlue\r\n", "x.bmp",
                    true}),
    [](const testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

TEST_F(MainWindowSkin, ABrokenSkinAtStartUpIsReportedAndStartUpGoesOn)
{
    dir.write("skin/broken/skin.ini", "[Skin]\r\nListTColor=bogus\r\n");
    skin("later");
    dir.write("data.lst", "memo\r\n");
    dir.write("tblaunch.ini", "[Window]\r\nSelectedSkinName=broken\r\n");
    start();
    EXPECT_EQ(interaction.errors, QStringList(QStringLiteral("'bogus' は整数ではありません.")));
    EXPECT_EQ(root->store().keywords(), QStringList("memo")) << "the keywords were loaded";
    EXPECT_EQ(submenu(), (QStringList{"later", "broken", "default"}));
}

TEST_F(MainWindowSkin, DefaultMakesTheWindowPlainAgainAndKeepsTheColours)
{
    skin("blue");
    dir.write("tblaunch.ini", "[Window]\r\nSelectedSkinName=blue\r\n");
    start();
    window->move(300, 200);
    action(Command::DefaultSkin)->trigger();
    EXPECT_TRUE(window->mask().isEmpty());
    EXPECT_TRUE(shape()->isHidden());
    EXPECT_EQ(window->size(), QSize(190, 38));
    EXPECT_EQ(keywordBox()->geometry(), QRect(0, 0, 153, 20));
    EXPECT_EQ(window->pos(), QPoint(300, 200));
    EXPECT_EQ(input()->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(setting("DefaultSkin"), "1");
    EXPECT_EQ(setting("SelectedSkinName"), "default");
    EXPECT_EQ(setting("key"), "");
}

TEST_F(MainWindowSkin, AWindowGrownByASkinStaysWhollyOnItsScreen)
{
    dir.write("skin/big/look.bmp", bitmap({400, 300}));
    dir.write("skin/big/skin.ini", "[Skin]\r\nSkinName=look.bmp\r\n");
    start();
    const QRect area = window->screen()->availableGeometry();
    window->move(area.bottomRight() - QPoint(200, 50));
    window->show();
    skinItem("big")->trigger();
    EXPECT_EQ(window->size(), QSize(400, 300));
    EXPECT_TRUE(area.contains(window->frameGeometry())) << window->frameGeometry().y();
}

TEST_F(MainWindowSkin, ExitWritesTheSkinChosenInThisRun)
{
    skin("blue");
    const std::pair<QByteArray, QString> cases[] = {
        {"[Window]\r\nSelectedSkinName=gone\r\n", ""},
        {"[Window]\r\nSelectedSkinName=blue\r\n", "blue"},
    };
    for (const auto &[settings, written] : cases) {
        dir.write("tblaunch.ini", settings);
        start();
        window->quit();
        EXPECT_EQ(setting("SelectedSkinName"), written);
        root.reset();
    }
    start();
    action(Command::DefaultSkin)->trigger();
    window->quit();
    EXPECT_EQ(setting("SelectedSkinName"), "default");
}

} // namespace
