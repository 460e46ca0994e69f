#include "WindowsFixture.h"

#include "dialogs/SpecialItemsDialog.h"

#include "base/Error.h"
#include "keywords/KeywordStore.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QByteArray kMyComputer = "explorer.exe\r\n\r\n::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\r\n";
const QByteArray kMyDocuments = "explorer.exe\r\n\r\n::{450D8FBA-AD25-11D0-98A8-0800361B1103}\r\n";
const QByteArray kRecycleBin = "explorer.exe\r\n\r\n::{645FF040-5081-101B-9F08-00AA002F954E}\r\n";

class SpecialItemsDialogTest : public WindowsFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst", "apple\r\n");
        dir.write("data/apple", "/bin/apple\r\n");
    }

    void start()
    {
        WindowsFixture::start();
        dialog = &root->specialItemsDialog();
    }

    // Each item's tick and name, by the item's name: myComputer, myDocuments, recycleBin,
    // shutdown, reboot.
    QCheckBox *tick(const QByteArray &item) const
    {
        return child<QCheckBox>(*dialog, (item + "Tick").constData());
    }
    QLineEdit *name(const QByteArray &item) const
    {
        return child<QLineEdit>(*dialog, (item + "Name").constData());
    }

    QList<QCheckBox *> boxes() const
    {
        return {tick("myComputer"), tick("myDocuments"), tick("recycleBin"), tick("shutdown"),
                tick("reboot")};
    }

    void tickAll()
    {
        for (QCheckBox *box : boxes())
            box->setChecked(true);
        dialog->registerItems();
    }

    QStringList rows() const { return root->store().keywords().toList(); }
    QByteArray settingsText() const { return dir.read("tblaunch.ini"); }

    SpecialItemsDialog *dialog = nullptr;
};

TEST_F(SpecialItemsDialogTest, LoadsTicksAndNamesFromTheSettingsAtStart)
{
    dir.write("tblaunch.ini", "[Setting]\r\nMyCom=1\r\nDustBox=1\r\nReBoot=0\r\nMyComName=mc\r\n"
                              "ShutdownName=off\r\n");
    start();
    EXPECT_TRUE(tick("myComputer")->isChecked());
    EXPECT_TRUE(tick("recycleBin")->isChecked());
    EXPECT_FALSE(tick("shutdown")->isChecked());
    EXPECT_FALSE(tick("reboot")->isChecked());
    EXPECT_FALSE(tick("myDocuments")->isChecked());
    EXPECT_EQ(name("myComputer")->text(), "mc");
    EXPECT_EQ(name("shutdown")->text(), "off");
    EXPECT_EQ(name("reboot")->text(), "reboot");
    EXPECT_EQ(name("myDocuments")->text(), "mydocument");
    EXPECT_EQ(name("recycleBin")->text(), "dustbox");
}

TEST_F(SpecialItemsDialogTest, TickingAppendsEachItemInOrderWithItsEntryAndSettings)
{
    start();
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
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(SpecialItemsDialogTest, ConfirmingAgainAddsNoRowAndRewritesTheEntry)
{
    dir.write("data.lst", "apple\r\nMyComputer\r\n");
    start();
    tick("myComputer")->setChecked(true);
    interaction.answers = {Interaction::Button::Yes}; // the listed name is taken over
    dialog->registerItems();
    EXPECT_EQ(rows(), QStringList({"apple", "MyComputer"}));

    dir.write("data/mycomputer", "changed\r\n");
    dialog->registerItems();
    EXPECT_EQ(interaction.warnings.size(), 1); // its own registration is asked about no more
    EXPECT_EQ(rows(), QStringList({"apple", "MyComputer"}));
    EXPECT_EQ(dir.read("data/mycomputer"), kMyComputer);
}

TEST_F(SpecialItemsDialogTest, TickingTheNameOfAnotherKeywordAsksBeforeWritingOverIt)
{
    dir.write("data.lst", "apple\r\nReboot\r\n");
    dir.write("data/Reboot", "/usr/bin/my-reboot\r\n");
    start();
    tick("reboot")->setChecked(true);

    interaction.answers = {Interaction::Button::No};
    dialog->registerItems();
    EXPECT_EQ(interaction.warnings,
              QStringList(QStringLiteral("おなじ名前はがすでに登録されています。更新しますか？")));
    EXPECT_EQ(dir.read("data/Reboot"), "/usr/bin/my-reboot\r\n");
    EXPECT_FALSE(dir.exists("tblaunch.ini"));

    // Yes: the keyword's own file is written, under its own spelling.
    interaction.answers = {Interaction::Button::Yes};
    dialog->registerItems();
    EXPECT_TRUE(dir.read("data/Reboot").isEmpty());
    EXPECT_FALSE(dir.exists("data/reboot"));
    EXPECT_EQ(rows(), QStringList({"apple", "Reboot"}));
    EXPECT_TRUE(settingsText().contains("\r\nReBoot=1\r\n"));

    // Unticked, the item takes the row away, and the file under the row's spelling with it.
    tick("reboot")->setChecked(false);
    dialog->registerItems();
    EXPECT_EQ(rows(), QStringList({"apple"}));
    EXPECT_FALSE(dir.exists("data/Reboot"));
}

TEST_F(SpecialItemsDialogTest, DecliningToTakeOverAKeywordChangesNothingAndArmsNothing)
{
    struct Case
    {
        const char *what;
        QByteArray list;
    };
    // The user's own "foo": listed, or only its file in the store folder.
    const QList<Case> cases{{"listed", "apple\r\nfoo\r\n"}, {"file alone", "apple\r\n"}};
    const QByteArray settings = "[Setting]\r\nShutdown=0\r\nShutdownName=off\r\n";
    for (const Case &c : cases) {
        dir.write("data.lst", c.list);
        dir.write("data/foo", "/usr/bin/foo\r\n");
        dir.write("tblaunch.ini", settings);
        start();
        dialog->show();
        tick("myComputer")->setChecked(true); // another change, written with the rest or not
        tick("shutdown")->setChecked(true);
        name("shutdown")->setText("foo");
        EXPECT_EQ(root->settings().specialName(SpecialItem::Shutdown), "off")
            << c.what; // typed, not in effect

        interaction.answers = {Interaction::Button::No};
        child<QPushButton>(*dialog, "register")->click();
        EXPECT_EQ(interaction.warnings.size(), 1) << c.what;
        EXPECT_EQ(dir.read("data/foo"), "/usr/bin/foo\r\n") << c.what;
        EXPECT_EQ(dir.read("data.lst"), c.list) << c.what;
        EXPECT_FALSE(dir.exists("data/mycomputer")) << c.what;
        EXPECT_EQ(settingsText(), settings) << c.what;
        EXPECT_EQ(root->settings().specialName(SpecialItem::Shutdown), "off") << c.what;
        // Still open on the item, as the user left it, to choose another name.
        EXPECT_TRUE(dialog->isVisible()) << c.what;
        EXPECT_NE(dialog->result(), QDialog::Accepted) << c.what;
        EXPECT_TRUE(tick("shutdown")->isChecked()) << c.what;
        EXPECT_EQ(name("shutdown")->text(), "foo") << c.what;
        EXPECT_EQ(dialog->focusWidget(), name("shutdown")) << c.what;

        // Given up: Enter on the keyword opens it and powers nothing off.
        child<QPushButton>(*dialog, "cancel")->click();
        enter("foo");
        EXPECT_TRUE(power.calls.isEmpty()) << c.what;
        EXPECT_EQ(shell.calls.size(), 1) << c.what;
        shell.calls.clear();
        interaction.warnings.clear();
        root.reset();
    }
}

TEST_F(SpecialItemsDialogTest, TakingOverAnUnlistedEntryFileAsksFirst)
{
    dir.write("data/mycomputer", "/usr/bin/mine\r\n");
    start();
    tick("myComputer")->setChecked(true);
    interaction.answers = {Interaction::Button::Yes};
    dialog->registerItems();
    EXPECT_EQ(interaction.warnings.size(), 1);
    EXPECT_EQ(dir.read("data/mycomputer"), kMyComputer);
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer"}));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(SpecialItemsDialogTest, NamesTakeEffectOnceRegistered)
{
    start();
    name("reboot")->setText("restart");
    child<QPushButton>(*dialog, "cancel")->click();
    EXPECT_EQ(root->settings().specialName(SpecialItem::Reboot), "reboot");
    dialog->registerItems();
    EXPECT_EQ(root->settings().specialName(SpecialItem::Reboot), "restart");
    EXPECT_TRUE(settingsText().contains("\r\nReBootName=restart\r\n"));
}

TEST_F(SpecialItemsDialogTest, UntickingRemovesThatItemAlone)
{
    start();
    tickAll();

    tick("recycleBin")->setChecked(false);
    dialog->registerItems();
    EXPECT_FALSE(dir.exists("data/dustbox"));
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer", "mydocument", "shutdown", "reboot"}));

    tick("shutdown")->setChecked(false);
    dialog->registerItems();
    EXPECT_FALSE(dir.exists("data/shutdown"));
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer", "mydocument", "reboot"}));
    for (const char *kept : {"data/apple", "data/mycomputer", "data/mydocument", "data/reboot"})
        EXPECT_TRUE(dir.exists(kept)) << kept;
    EXPECT_TRUE(settingsText().contains("\r\nDustBox=0\r\nShutdown=0\r\n"));
}

TEST_F(SpecialItemsDialogTest, RenamingRegistersTheNewNameAndLeavesTheOldOne)
{
    start();
    tick("myComputer")->setChecked(true);
    dialog->registerItems();
    name("myComputer")->setText("mc");
    dialog->registerItems();
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer", "mc"}));
    EXPECT_EQ(dir.read("data/mycomputer"), kMyComputer);
    EXPECT_EQ(dir.read("data/mc"), kMyComputer);
    EXPECT_TRUE(settingsText().contains("\r\nMyComName=mc\r\n"));
}

TEST_F(SpecialItemsDialogTest, CancelWritesNothingAndKeepsWhatTheUserChanged)
{
    start();
    tick("myComputer")->setChecked(true);
    name("myComputer")->setText("mc");
    child<QPushButton>(*dialog, "cancel")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dir.exists("tblaunch.ini"));
    EXPECT_FALSE(dir.exists("data/mc"));
    EXPECT_EQ(file("data.lst"), "apple\r\n");
    EXPECT_TRUE(tick("myComputer")->isChecked());
    EXPECT_EQ(name("myComputer")->text(), "mc");
}

TEST_F(SpecialItemsDialogTest, KeywordsTheDialogNeverRegisteredSurviveUnticking)
{
    // The user's own keyword that happens to bear the recycle bin's default name.
    dir.write("data.lst", "apple\r\ndustbox\r\n");
    dir.write("data/dustbox", "/usr/bin/trash\r\n");
    start();
    dialog->registerItems();
    EXPECT_EQ(dir.read("data/dustbox"), "/usr/bin/trash\r\n");
    EXPECT_EQ(rows(), QStringList({"apple", "dustbox"}));

    // Unticked and renamed to an ordinary keyword: what goes is the name it was registered
    // under, not the keyword now in its field.
    tick("myComputer")->setChecked(true);
    dialog->registerItems();
    tick("myComputer")->setChecked(false);
    name("myComputer")->setText("apple");
    dialog->registerItems();
    EXPECT_FALSE(dir.exists("data/mycomputer"));
    EXPECT_EQ(dir.read("data/apple"), "/bin/apple\r\n");
    EXPECT_EQ(rows(), QStringList({"apple", "dustbox"}));
}

TEST_F(SpecialItemsDialogTest, ANameHandedToAnotherItemStaysRegistered)
{
    start();
    tick("myComputer")->setChecked(true);
    dialog->registerItems();

    tick("myComputer")->setChecked(false);
    tick("shutdown")->setChecked(true);
    name("shutdown")->setText("mycomputer");
    dialog->registerItems();
    EXPECT_EQ(rows(), QStringList({"apple", "mycomputer"}));
    EXPECT_TRUE(dir.exists("data/mycomputer"));
    EXPECT_TRUE(dir.read("data/mycomputer").isEmpty());
}

TEST_F(SpecialItemsDialogTest, UnsoundNamesOrAFailedWriteLeaveEverythingAsItWas)
{
    start();
    tick("myComputer")->setChecked(true);
    for (const QString &unsound : {QString(), QStringLiteral("a/b"), QStringLiteral("..")}) {
        name("myComputer")->setText(unsound);
        EXPECT_THROW(dialog->registerItems(), Error) << unsound.toStdString();
    }
    name("myComputer")->setText("mycomputer");
    name("reboot")->setText("re\nboot"); // unticked, but its name still goes to the settings
    EXPECT_THROW(dialog->registerItems(), Error);
    name("reboot")->setText("reboot");

    QDir().mkpath(dir.file("data/shutdown"));
    tick("shutdown")->setChecked(true);
    child<QPushButton>(*dialog, "register")->click();
    EXPECT_EQ(interaction.errors.size(), 1);

    EXPECT_FALSE(dir.exists("tblaunch.ini"));
    EXPECT_FALSE(dir.exists("data/mycomputer")); // written before the failure, deleted again
    EXPECT_EQ(file("data.lst"), "apple\r\n");
    EXPECT_EQ(rows(), QStringList{"apple"});
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

} // namespace
