#include "Form1Fixture.h"

#include "launcher/ClockText.h"
#include "launcher/KeywordLineEdit.h"
#include "launcher/KeywordStore.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

class Form1Lifecycle : public Form1Fixture
{
protected:
    void SetUp() override
    {
        start();
        form->trayAvailable = [] {
            return true;
        };
        form->shiftHeld = [this] {
            return shift;
        };
        form->show();
    }

    void tick(int times)
    {
        for (int i = 0; i < times; ++i)
            form->Timer1Timer();
    }

    bool shift = false;
};

TEST_F(Form1Lifecycle, StartsWithItsFoldersAndTheClockRunning)
{
    EXPECT_TRUE(dir.exists("skin"));
    EXPECT_TRUE(dir.exists("data"));
    EXPECT_TRUE(dir.exists("data.lst"));
    EXPECT_TRUE(form->default1->isChecked());
    EXPECT_EQ(form->selectedSkinName, "defaul");
    EXPECT_EQ(form->size(), QSize(190, 38));
    EXPECT_EQ(form->ComboBox1->geometry(), QRect(0, 0, 153, 20));
    EXPECT_EQ(form->Image1->geometry(), QRect(157, 0, 32, 32));
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->TrayIcon->toolTip(), "tobio launcher");
}

TEST_F(Form1Lifecycle, ClockAppearsOnTheFifthIdleTickAndIsRenewed)
{
    tick(4);
    EXPECT_TRUE(form->ComboBox1Edit->text().isEmpty());
    tick(1);
    const QString shown = form->ComboBox1Edit->text();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.left(4), clockText(QDateTime::currentDateTime(), QLocale::system()).left(4));
    form->ComboBox1Edit->clear();
    tick(1); // the counter stays at its top: every later tick renews the text
    EXPECT_FALSE(form->ComboBox1Edit->text().isEmpty());
    EXPECT_TRUE(form->Timer1->isActive());
}

TEST_F(Form1Lifecycle, TypingOrASelectionStopsTheClock)
{
    form->typingFlag = 1;
    tick(1);
    EXPECT_FALSE(form->Timer1->isActive());

    form->typingFlag = 0;
    form->Timer1->start();
    form->ComboBox1Edit->setText("memo");
    form->ComboBox1Edit->setSelection(1, 2);
    tick(5);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->ComboBox1Edit->text(), "memo");
}

TEST_F(Form1Lifecycle, DeactivationHidesUnlessLockedShiftedOrWithoutATray)
{
    form->ComboBox1Edit->setText("memo");
    form->N14Click();
    form->AppDeactivate();
    EXPECT_TRUE(form->isVisible());
    form->N14Click();

    shift = true;
    form->AppDeactivate();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->ComboBox1Edit->text(), "memo");
    shift = false;

    form->trayAvailable = [] {
        return false;
    };
    form->AppDeactivate();
    EXPECT_TRUE(form->isVisible());
    form->trayAvailable = [] {
        return true;
    };

    form->typingFlag = 1;
    form->Timer1->stop();
    form->AppDeactivate();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->ComboBox1Edit->text().isEmpty());
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->typingFlag, 0);
}

TEST_F(Form1Lifecycle, TrayBringsTheWindowBackAndActivationSelectsTheClock)
{
    form->hide();
    form->Image1->setPixmap(QPixmap(32, 32));
    form->ComboBox1Edit->setText("12:00");
    form->TrayLeftClick();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->Image1->pixmap().isNull());
    form->AppActivate();
    EXPECT_EQ(form->ComboBox1Edit->selectedText(), "12:00");
    form->Timer1->stop();
    form->ComboBox1Edit->deselect();
    form->AppActivate();
    EXPECT_FALSE(form->ComboBox1Edit->hasSelectedText());
}

TEST_F(Form1Lifecycle, TrayMenuIsShortened)
{
    form->TrayRightClick();
    for (QAction *item : {form->N7, form->N14, form->N2, form->N10, form->N9})
        EXPECT_FALSE(item->isVisible()) << item->objectName().toStdString();
    EXPECT_TRUE(form->N8->isVisible());
    form->PopupMenu1->close();
}

TEST_F(Form1Lifecycle, ExitWritesTheHotkeyAndTheSkinChoice)
{
    form->N12Click();
    EXPECT_EQ(
        dir.read("tblaunch.ini"),
        QByteArray("[hotkey]\r\nkey=\r\n[Window]\r\nDefaultSkin=1\r\nSelectedSkinName=defaul\r\n"));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Form1Lifecycle, AFailedSettingsWriteKeepsTheWindowOpen)
{
    QDir(dir.path()).mkpath("tblaunch.ini"); // a folder where the file should be
    form->N12->trigger();
    ASSERT_EQ(interaction.errors.size(), 1);
    EXPECT_EQ(interaction.errors[0],
              QStringLiteral("%1 に書き込めません.").arg(dir.file("tblaunch.ini")));
    EXPECT_TRUE(form->isVisible());
}

class Form1StartUp : public Form1Fixture
{
};

TEST_F(Form1StartUp, ReadsTheSkinChoice)
{
    dir.write("tblaunch.ini", "[Window]\r\nDefaultSkin=0\r\nSelectedSkinName=blue\r\n");
    start();
    EXPECT_FALSE(form->default1->isChecked());
    EXPECT_EQ(form->selectedSkinName, "blue");
}

TEST_F(Form1StartUp, AnErrorSkipsTheRestButTheWindowStillComes)
{
    dir.write("skin", "a file where the skin folder belongs");
    start();
    EXPECT_EQ(interaction.errors, QStringList(QStringLiteral("I/O エラー (17)")));
    EXPECT_FALSE(dir.exists("data"));
    form->show();
    EXPECT_TRUE(form->isVisible());
}

} // namespace
