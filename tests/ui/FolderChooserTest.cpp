#include "ui/FolderChooser.h"

#include "FakeInteraction.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QDir>
#include <QFileDialog>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class FolderChooserTest : public ::testing::Test
{
protected:
    void SetUp() override { QDir().mkpath(dir.file("a/b/c")); }

    // Answers the chooser with the path, or cancels it when empty, noting what it showed.
    void answer(const QString &path)
    {
        interaction.onModal = [this, path](QDialog &dialog) {
            auto &shown = dynamic_cast<QFileDialog &>(dialog);
            EXPECT_EQ(shown.fileMode(), QFileDialog::Directory);
            EXPECT_TRUE(shown.testOption(QFileDialog::ShowDirsOnly));
            title = shown.windowTitle();
            directory = shown.directory().absolutePath();
            selected = shown.selectedFiles();
            if (path.isEmpty())
                return int(QDialog::Rejected);
            shown.selectFile(path);
            return int(QDialog::Accepted);
        };
    }

    TempFolder dir;
    FakeInteraction interaction;
    QWidget owner;
    FolderChooser chooser{&owner, interaction};
    QString title;
    QString directory;
    QStringList selected;
};

TEST_F(FolderChooserTest, StartsEmptyAndShowsTitleAndRootSelected)
{
    EXPECT_TRUE(chooser.title().isEmpty());
    EXPECT_TRUE(chooser.root().isEmpty());
    EXPECT_TRUE(chooser.folderName().isEmpty());

    chooser.setTitle(QStringLiteral("フォルダを選んでください"));
    chooser.setRoot(dir.file("a/b/"));
    answer(dir.file("a/b/c"));
    EXPECT_TRUE(chooser.choose());
    EXPECT_EQ(chooser.folderName(), dir.file("a/b/c"));
    EXPECT_EQ(title, chooser.title());
    EXPECT_EQ(directory, dir.file("a"));
    EXPECT_EQ(selected, QStringList{dir.file("a/b")});
}

TEST_F(FolderChooserTest, CancelAnswersFalseAndEmptiesAnEarlierResult)
{
    answer(dir.file("a"));
    ASSERT_TRUE(chooser.choose());
    answer(QString());
    EXPECT_FALSE(chooser.choose());
    EXPECT_TRUE(chooser.folderName().isEmpty());
    EXPECT_EQ(interaction.modalCount, 2);
}

TEST_F(FolderChooserTest, RootThatNamesNoFolderSelectsNothingAndRaisesNothing)
{
    for (const QString &root : {QString(), dir.file("missing"), dir.file("a/b/c/file")}) {
        chooser.setRoot(root);
        answer(QString());
        EXPECT_NO_THROW(chooser.choose());
        EXPECT_EQ(directory, QDir::homePath()) << root.toStdString();
        EXPECT_FALSE(selected.contains(root)) << root.toStdString();
    }
}

TEST_F(FolderChooserTest, OnlyARealFolderIsAnAnswer)
{
    dir.write("a/file", "");
    answer(dir.file("a/file"));
    EXPECT_FALSE(chooser.choose());
    EXPECT_TRUE(chooser.folderName().isEmpty());
}

} // namespace
