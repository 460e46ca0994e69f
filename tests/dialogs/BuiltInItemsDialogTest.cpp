#include "DialogFixture.h"

#include "base/Error.h"
#include "launcher/KeywordStore.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QByteArray kMyComputer = "explorer.exe\r\n\r\n::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\r\n";
const QByteArray kMyDocuments = "explorer.exe\r\n\r\n::{450D8FBA-AD25-11D0-98A8-0800361B1103}\r\n";
const QByteArray kRecycleBin = "explorer.exe\r\n\r\n::{645FF040-5081-101B-9F08-00AA002F954E}\r\n";

class SpecialItems : public DialogFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst", "apple\r\n");
        dir.write("data/apple", "/bin/apple\r\n");
    }

    QList<QCheckBox *> boxes() const
    {
        return {form4->CheckBox1, form4->CheckBox2, form4->CheckBox3, form4->CheckBox4,
                form4->CheckBox5};
    }

    void tickAll()
    {
        for (QCheckBox *box : boxes())
            box->setChecked(true);
        form4->Button1Click();
    }

    QStringList rows() const { return form->store().keywords(); }
    QByteArray settingsText() const { return dir.read("tblaunch.ini"); }
};

TEST_F(SpecialItems, LoadsTicksAndNamesFromTheSettingsAtStart)
{
    dir.write("tblaunch.ini", "[Setting]\r\nMyCom=1\r\nDustBox=1\r\nReBoot=0\r\nMyComName=mc\r\n"
                              "ShutdownName=off\r\n");
    startDialogs();
    EXPECT_TRUE(form4->CheckBox1->isChecked());
    EXPECT_TRUE(form4->CheckBox5->isChecked());
    EXPECT_FALSE(form4->CheckBox2->isChecked());
    EXPECT_FALSE(form4->CheckBox3->isChecked());
    EXPECT_FALSE(form4->CheckBox4->isChecked());
    EXPECT_EQ(form4->Edit1->text(), "mc");
    EXPECT_EQ(form4->Edit2->text(), "off");
    EXPECT_EQ(form4->Edit3->text(), "reboot");
    EXPECT_EQ(form4->Edit4->text(), "mydocument");
    EXPECT_EQ(form4->Edit5->text(), "dustbox");
}

TEST_F(SpecialItems, TickingAppendsEachItemInOrderWithItsEntryAndSettings)
{
    startDialogs();
    tickAll();

    const QStringList expected{"apple",   "mycomputer", "mydocument",
                               "dustbox", "shutdown",   "reboot"};
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(file("data.lst"), expected.join("\r\n") + "\r\n");
    EXPECT_EQ(dir.read("data/mycomputer"), kMyComputer);
    EXPECT_EQ(dir.read("data/mydocument"), kMyDocuments);
    EXPECT_EQ(dir.read("data/dustbox"), kRecycleBin);
    EXPECT_TRUE(dir.exists("data/shutdown"));
    EXPECT_TRUE(dir.read("data/shutdown").isEmpty());
    EXPECT_TRUE(dir.exists("data/reboot"));
    EXPECT_TRUE(dir.read("data/reboot").isEmpty());
    // The booleans first, then the names, each in the items' order.
    EXPECT_EQ(settingsText(), "[Setting]\r\nMyCom=1\r\nMydoc=1\r\nDustBox=1\r\nShutdown=1\r\n"
                              "ReBoot=1\r\nMyComName=mycomputer\r\nMydocName=mydocument\r\n"
                              "DustBoxName=dustbox\r\nShutdownName=shutdown\r\n"
                              "ReBootName=reboot\r\n");
    EXPECT_EQ(form4->result(), QDialog::Accepted);
}

TEST_F(SpecialItems, ConfirmingAgainAddsNoRowAndRewritesTheEntry)
{
    dir.write("data.lst", "apple\r\nMyComputer\r\n");
    startDialogs();
    form4->CheckBox1->setChecked(true);
    form4->Button1Click();
    EXPECT_EQ(rows(), QStringList({"apple", "MyComputer"}));

    dir.write("data/mycomputer", "changed\r\n");
    form4->Button1Click();
    EXPECT_EQ(rows(), QStringList({"apple", "MyComputer"}));
    EXPECT_EQ(dir.read("data/mycomputer"), kMyComputer);
}

TEST_F(SpecialItems, UntickingRemovesThatItemAlone)
{
    startDialogs();
    tickAll();

    form4->CheckBox5->setChecked(false);
    form4->Button1Click();
    EXPECT_FALSE(dir.exists("data/dustbox"));
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer", "mydocument", "shutdown", "reboot"}));

    form4->CheckBox2->setChecked(false);
    form4->Button1Click();
    EXPECT_FALSE(dir.exists("data/shutdown"));
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer", "mydocument", "reboot"}));
    for (const char *kept : {"data/apple", "data/mycomputer", "data/mydocument", "data/reboot"})
        EXPECT_TRUE(dir.exists(kept)) << kept;
    EXPECT_TRUE(settingsText().contains("\r\nDustBox=0\r\nShutdown=0\r\n"));
}

TEST_F(SpecialItems, RenamingRegistersTheNewNameAndLeavesTheOldOne)
{
    startDialogs();
    form4->CheckBox1->setChecked(true);
    form4->Button1Click();
    form4->Edit1->setText("mc");
    form4->Button1Click();
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer", "mc"}));
    EXPECT_EQ(dir.read("data/mycomputer"), kMyComputer);
    EXPECT_EQ(dir.read("data/mc"), kMyComputer);
    EXPECT_TRUE(settingsText().contains("\r\nMyComName=mc\r\n"));
}

TEST_F(SpecialItems, CancelWritesNothingAndKeepsWhatTheUserChanged)
{
    startDialogs();
    form4->CheckBox1->setChecked(true);
    form4->Edit1->setText("mc");
    form4->Button2->click();
    EXPECT_EQ(form4->result(), QDialog::Rejected);
    EXPECT_FALSE(dir.exists("tblaunch.ini"));
    EXPECT_FALSE(dir.exists("data/mc"));
    EXPECT_EQ(file("data.lst"), "apple\r\n");
    EXPECT_TRUE(form4->CheckBox1->isChecked());
    EXPECT_EQ(form4->Edit1->text(), "mc");
}

TEST_F(SpecialItems, KeywordsTheDialogNeverRegisteredSurviveUnticking)
{
    // The user's own keyword that happens to bear the recycle bin's default name.
    dir.write("data.lst", "apple\r\ndustbox\r\n");
    dir.write("data/dustbox", "/usr/bin/trash\r\n");
    startDialogs();
    form4->Button1Click();
    EXPECT_EQ(dir.read("data/dustbox"), "/usr/bin/trash\r\n");
    EXPECT_EQ(rows(), QStringList({"apple", "dustbox"}));

    // Unticked and renamed to an ordinary keyword: what goes is the name it was registered
    // under, not the keyword now in its field.
    form4->CheckBox1->setChecked(true);
    form4->Button1Click();
    form4->CheckBox1->setChecked(false);
    form4->Edit1->setText("apple");
    form4->Button1Click();
    EXPECT_FALSE(dir.exists("data/mycomputer"));
    EXPECT_EQ(dir.read("data/apple"), "/bin/apple\r\n");
    EXPECT_EQ(rows(), QStringList({"apple", "dustbox"}));
}

TEST_F(SpecialItems, ANameHandedToAnotherItemStaysRegistered)
{
    startDialogs();
    form4->CheckBox1->setChecked(true);
    form4->Button1Click();

    form4->CheckBox1->setChecked(false);
    form4->CheckBox2->setChecked(true);
    form4->Edit2->setText("mycomputer");
    form4->Button1Click();
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer"}));
    EXPECT_TRUE(dir.exists("data/mycomputer"));
    EXPECT_TRUE(dir.read("data/mycomputer").isEmpty());
}

TEST_F(SpecialItems, UnsoundNamesOrAFailedWriteLeaveEverythingAsItWas)
{
    startDialogs();
    form4->CheckBox1->setChecked(true);
    for (const QString &name : {QString(), QStringLiteral("a/b"), QStringLiteral("..")}) {
        form4->Edit1->setText(name);
        EXPECT_THROW(form4->Button1Click(), Error) << name.toStdString();
    }
    form4->Edit1->setText("mycomputer");
    form4->Edit3->setText("re\nboot"); // unticked, but its name still goes to the settings
    EXPECT_THROW(form4->Button1Click(), Error);
    form4->Edit3->setText("reboot");

    QDir().mkpath(dir.file("data/shutdown"));
    form4->CheckBox2->setChecked(true);
    form4->Button1->click();
    EXPECT_EQ(interaction.errors.size(), 1);

    EXPECT_FALSE(dir.exists("tblaunch.ini"));
    EXPECT_EQ(file("data.lst"), "apple\r\n");
    EXPECT_EQ(rows(), QStringList{"apple"});
    EXPECT_NE(form4->result(), QDialog::Accepted);
}

} // namespace
