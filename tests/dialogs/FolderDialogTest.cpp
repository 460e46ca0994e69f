#include "settings/FolderDialog.h"

#include "FakeInteraction.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QDir>
#include <QFileDialog>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class FolderDlg : public ::testing::Test
{
protected:
    void SetUp() override { QDir().mkpath(dir.file("a/b/c")); }

    // Answers the chooser with the path, or cancels it when empty, noting what it showed.
    void answer(const QString &path)
    {
        interaction.onModal = [this, path](QDialog &dialog) {
            auto &chooser = dynamic_cast<QFileDialog &>(dialog);
            EXPECT_EQ(chooser.fileMode(), QFileDialog::Directory);
            EXPECT_TRUE(chooser.testOption(QFileDialog::ShowDirsOnly));
            title = chooser.windowTitle();
            directory = chooser.directory().absolutePath();
            selected = chooser.selectedFiles();
            if (path.isEmpty())
                return int(QDialog::Rejected);
            chooser.selectFile(path);
            return int(QDialog::Accepted);
        };
    }

    TempFolder dir;
    FakeInteraction interaction;
    QWidget owner;
    TFolderDlg folderDlg{&owner, interaction};
    QString title;
    QString directory;
    QStringList selected;
};

TEST_F(FolderDlg, StartsEmptyAndShowsTitleAndRootSelected)
{
    EXPECT_TRUE(folderDlg.Title.isEmpty());
    EXPECT_TRUE(folderDlg.Root.isEmpty());
    EXPECT_TRUE(folderDlg.FolderName.isEmpty());

    folderDlg.Title = QStringLiteral("フォルダを選んでください");
    folderDlg.Root = dir.file("a/b/");
    answer(dir.file("a/b/c"));
    EXPECT_TRUE(folderDlg.Execute());
    EXPECT_EQ(folderDlg.FolderName, dir.file("a/b/c"));
    EXPECT_EQ(title, folderDlg.Title);
    EXPECT_EQ(directory, dir.file("a"));
    EXPECT_EQ(selected, QStringList{dir.file("a/b")});
}

TEST_F(FolderDlg, CancelAnswersFalseAndEmptiesAnEarlierResult)
{
    answer(dir.file("a"));
    ASSERT_TRUE(folderDlg.Execute());
    answer(QString());
    EXPECT_FALSE(folderDlg.Execute());
    EXPECT_TRUE(folderDlg.FolderName.isEmpty());
    EXPECT_EQ(interaction.modalCount, 2);
}

TEST_F(FolderDlg, RootThatNamesNoFolderSelectsNothingAndRaisesNothing)
{
    for (const QString &root : {QString(), dir.file("missing"), dir.file("a/b/c/file")}) {
        folderDlg.Root = root;
        answer(QString());
        EXPECT_NO_THROW(folderDlg.Execute());
        EXPECT_EQ(directory, QDir::homePath()) << root.toStdString();
        EXPECT_FALSE(selected.contains(root)) << root.toStdString();
    }
}

TEST_F(FolderDlg, OnlyARealFolderIsAnAnswer)
{
    dir.write("a/file", "");
    answer(dir.file("a/file"));
    EXPECT_FALSE(folderDlg.Execute());
    EXPECT_TRUE(folderDlg.FolderName.isEmpty());
}

} // namespace
