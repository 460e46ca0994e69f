#include "CaseName.h"
#include "WindowsFixture.h"

#include "dialogs/RegistrationDialog.h"

#include "base/Error.h"
#include "keywords/Entry.h"
#include "keywords/EntryIcon.h"
#include "keywords/KeywordStore.h"
#include "mainwindow/KeywordLineEdit.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kQuestion = QStringLiteral("おなじ名前はがすでに登録されています。更新しますか？");
const QString kAdded = QStringLiteral("追加しました");
const QString kOverwritten = QStringLiteral("上書きしました");
const QString kAbandoned = QStringLiteral("登録処理を中断しました");

using Button = Interaction::Button;

class Registration : public WindowsFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst", "apple\r\nbanana\r\n");
        dir.write("data/apple", "/old/apple\r\nold\r\n-o\r\n");
        dir.write("data/banana", "/bin/banana\r\n");
        start();
        dialog = &root->registrationDialog();
    }

    QLineEdit *name() const { return child<QLineEdit>(*dialog, "name"); }
    QPlainTextEdit *target() const { return child<QPlainTextEdit>(*dialog, "target"); }
    QPlainTextEdit *parameters() const { return child<QPlainTextEdit>(*dialog, "parameters"); }
    QLineEdit *descriptionField() const { return child<QLineEdit>(*dialog, "description"); }
    QLabel *dialogIcon() const { return child<QLabel>(*dialog, "icon"); }
    QPushButton *button(const char *name) const { return child<QPushButton>(*dialog, name); }

    void fill(const QString &keyword, const QString &path, const QString &arguments,
              const QString &description)
    {
        name()->setText(keyword);
        target()->setPlainText(path);
        parameters()->setPlainText(arguments);
        descriptionField()->setText(description);
    }

    // The register command ran to its end: the dialog closed, name, path and description
    // emptied, the parameters kept, and the main window's display cleared.
    void expectFinished(const QString &keptParameters)
    {
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_TRUE(name()->text().isEmpty());
        EXPECT_TRUE(target()->toPlainText().isEmpty());
        EXPECT_TRUE(descriptionField()->text().isEmpty());
        EXPECT_EQ(parameters()->toPlainText(), keptParameters);
        EXPECT_TRUE(displayCleared());
    }

    RegistrationDialog *dialog = nullptr;
};

TEST_F(Registration, EqualNameAsksAndRewritesTheEntryUnderItsOwnSpelling)
{
    input()->setText(QStringLiteral("app"));
    interaction.answers = {Button::Yes};
    fill("Apple", "/new/apple", "-n", "new");
    dialog->registerEntry();

    EXPECT_EQ(interaction.warnings, QStringList{kQuestion});
    EXPECT_EQ(file("data/apple"), "/new/apple\r\nnew\r\n-n\r\n");
    EXPECT_FALSE(dir.exists("data/Apple"));
    EXPECT_EQ(file("data.lst"), "apple\r\nbanana\r\n");
    EXPECT_EQ(interaction.notices, QStringList{kOverwritten});
    expectFinished("-n");
}

TEST_F(Registration, WithSeveralEqualRowsTheLastAnswerStands)
{
    dir.write("data.lst", "apple\r\nbanana\r\nAPPLE\r\n");

    interaction.answers = {Button::Yes, Button::No};
    fill("apple", "/new/apple", "", "");
    dialog->registerEntry();
    EXPECT_EQ(interaction.warnings.size(), 2);
    EXPECT_EQ(interaction.notices, QStringList{kAbandoned});
    EXPECT_EQ(file("data/apple"), "/old/apple\r\nold\r\n-o\r\n");
    expectFinished("");

    interaction.answers = {Button::No, Button::Yes};
    fill("apple", "/new/apple", "", "");
    dialog->registerEntry();
    EXPECT_EQ(interaction.notices.last(), kOverwritten);
    EXPECT_EQ(file("data/apple"), "/new/apple\r\n\r\n\r\n");
    EXPECT_EQ(file("data.lst"), "apple\r\nbanana\r\nAPPLE\r\n");
}

TEST_F(Registration, CancelWritesNothingAndKeepsEveryField)
{
    fill("cherry", "/bin/cherry", "-c", "red");
    button("cancel")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(name()->text(), "cherry");
    EXPECT_EQ(target()->toPlainText(), "/bin/cherry");
    EXPECT_EQ(parameters()->toPlainText(), "-c");
    EXPECT_EQ(descriptionField()->text(), "red");
    EXPECT_FALSE(dir.exists("data/cherry"));
    EXPECT_EQ(file("data.lst"), "apple\r\nbanana\r\n");
}

TEST_F(Registration, EveryOpeningFillsEveryFieldAfreshAndFocusesTheName)
{
    struct Seen
    {
        QString name, target, parameters, description;
        bool nameFocused = false;
    };
    QList<Seen> seen;
    interaction.onModal = [&](QDialog &) {
        seen.append({name()->text(), target()->toPlainText(), parameters()->toPlainText(),
                     descriptionField()->text(), dialog->focusWidget() == name()});
        return int(QDialog::Rejected);
    };
    // Left behind by a registration (its parameters) and by one given up (every field), with
    // the focus wherever the user left it.
    fill("hello", "/bin/echo", "hello world", "greeting");
    dialog->registerEntry();
    fill("half", "/bin/half", "-h", "half done");
    descriptionField()->setFocus();

    dialog->openNew();
    dialog->openPath("Report", "/work/Report.doc", {});
    dialog->openEntry("apple", {"/old/apple", "old", "-o"}, {}, false);
    const QList<Seen> expected{{"", "", "", "", true},
                               {"Report", "/work/Report.doc", "", "", true},
                               {"apple", "/old/apple", "-o", "old", true}};
    ASSERT_EQ(seen.size(), expected.size());
    for (qsizetype i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].name, expected[i].name) << i;
        EXPECT_EQ(seen[i].target, expected[i].target) << i;
        EXPECT_EQ(seen[i].parameters, expected[i].parameters) << i;
        EXPECT_EQ(seen[i].description, expected[i].description) << i;
        EXPECT_EQ(seen[i].nameFocused, expected[i].nameFocused) << i;
    }
}

TEST_F(Registration, EnterInAOneLineFieldRegisters)
{
    dialog->show();
    EXPECT_TRUE(button("register")->isDefault());
    const QList<QWidget *> fields{name(), target(), parameters(), descriptionField()};
    for (QWidget *field : fields) {
        const QString keyword = "cherry" + field->objectName();
        fill(keyword, "/bin/cherry", "-c", "red");
        field->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(field, &enter);
        EXPECT_EQ(interaction.notices.value(0), kAdded) << keyword.toStdString();
        EXPECT_EQ(file("data/" + keyword), "/bin/cherry\r\nred\r\n-c\r\n") << keyword.toStdString();
        interaction.notices.clear();
        dialog->show();
    }
}

TEST_F(Registration, TabFollowsTheFormWithCancelLast)
{
    QStringList order;
    QWidget *widget = name();
    do {
        if (widget->window() == dialog && (widget->focusPolicy() & Qt::TabFocus))
            order.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != name());
    EXPECT_EQ(order, QStringList({"name", "target", "browseFile", "browseFolder", "parameters",
                                  "description", "register", "cancel"}));
}

// One line under the parameters says where the words typed after a keyword go, whole within
// the dialog and clear of the buttons.
TEST_F(Registration, AHintUnderTheParametersNamesTheWords)
{
    const QLabel *hint = child<QLabel>(*dialog, "wordsHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->text().startsWith(u"%s "));
    EXPECT_GE(hint->y(), parameters()->geometry().bottom());
    EXPECT_LE(hint->geometry().right(), dialog->width());
    EXPECT_LT(hint->geometry().bottom(), button("cancel")->y());
}

TEST_F(Registration, UnsoundInputIsRefusedBeforeAnyQuestionOrWrite)
{
    struct Case
    {
        const char *what;
        QString name, path, parameters, description;
    };
    // Which input is unsound is EntryRegistration's table; here, that the dialog checks
    // before it asks about a listed name or writes anything.
    const QList<Case> cases{
        {"line break in the path of a listed name", "apple", "/bin/x\n/bin/y", "", ""},
        {"description outside the code page", "cherry", "/bin/x", "", QStringLiteral("😀")},
    };
    for (const Case &c : cases) {
        fill(c.name, c.path, c.parameters, c.description);
        EXPECT_THROW(dialog->registerEntry(), Error) << c.what;
        EXPECT_EQ(name()->text(), c.name) << c.what;
    }
    EXPECT_TRUE(interaction.warnings.isEmpty());
    EXPECT_TRUE(interaction.notices.isEmpty());
    EXPECT_EQ(file("data.lst"), "apple\r\nbanana\r\n");
    EXPECT_EQ(QDir(dir.file("data")).entryList(QDir::Files), QStringList({"apple", "banana"}));

    // Through the button the refusal is shown and the dialog stays as it was.
    fill("", "/bin/x", "", "");
    button("register")->click();
    ASSERT_EQ(interaction.errors.size(), 1);
    EXPECT_TRUE(interaction.errors[0].contains(QStringLiteral("キーワードとして使えません")));
    EXPECT_EQ(target()->toPlainText(), "/bin/x");
}

TEST_F(Registration, AFailedWriteStopsBeforeTheMessageAndTheFinish)
{
    // An entry that cannot be written must not leave data.lst naming the keyword.
    QDir().mkpath(dir.file("data/cherry"));
    fill("cherry", "/bin/cherry", "", "");
    EXPECT_THROW(dialog->registerEntry(), Error);
    EXPECT_EQ(file("data.lst"), "apple\r\nbanana\r\n");
    EXPECT_EQ(root->store().keywords(), QStringList({"apple", "banana"}));
    EXPECT_TRUE(interaction.notices.isEmpty());
    EXPECT_EQ(name()->text(), "cherry");

    // Without data.lst the command fails as it reads it.
    QFile::remove(dir.file("data.lst"));
    fill("date", "/bin/date", "", "");
    try {
        dialog->registerEntry();
        ADD_FAILURE() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(dir.file("data.lst"))) << e.message().toStdString();
    }
    EXPECT_FALSE(dir.exists("data/date"));
}

TEST_F(Registration, FileChooserFillsNameAndPathAndTheIconFollowsThePath)
{
    dir.write("tools/pack.tar.gz", "");
    const QString chosen = dir.file("tools/pack.tar.gz");
    icons.answer = QPixmap(32, 32);
    answerChooser(chosen);
    button("browseFile")->click();
    EXPECT_EQ(name()->text(), "pack.tar");
    EXPECT_EQ(target()->toPlainText(), chosen);
    ASSERT_FALSE(icons.calls.isEmpty());
    EXPECT_EQ(icons.calls.last().file, chosen);
    EXPECT_EQ(icons.calls.last().index, 0);
    EXPECT_FALSE(dialogIcon()->pixmap().isNull());

    // Cancelled: the fields stay, and the icon is taken again from the path's first line.
    name()->setText("mine");
    target()->setPlainText("/bin/sh\nleft over");
    icons.answer = QPixmap();
    answerChooser(QString());
    button("browseFile")->click();
    EXPECT_EQ(name()->text(), "mine");
    EXPECT_EQ(icons.calls.last(), (FakeIcons::Call{"/bin/sh", 0, dialog->devicePixelRatioF()}));
    EXPECT_TRUE(dialogIcon()->pixmap().isNull());
}

TEST_F(Registration, FolderChooserEmptiesTheNameAndTakesTheFoldersIcon)
{
    dir.write("pics/desktop.ini",
              "[.ShellClassInfo]\r\nIconFile=%SystemRoot%\\system32\\imageres.dll\r\n"
              "IconIndex=5\r\n");
    QDir().mkpath(dir.file("plain"));

    name()->setText("name");
    answerChooser(dir.file("pics"));
    button("browseFolder")->click();
    ASSERT_EQ(choosers.size(), 1);
    EXPECT_EQ(choosers[0].fileMode, QFileDialog::Directory);
    EXPECT_TRUE(choosers[0].dirsOnly);
    EXPECT_TRUE(name()->text().isEmpty());
    EXPECT_EQ(target()->toPlainText(), dir.file("pics"));
    EXPECT_EQ(icons.calls.last().file, "%SystemRoot%\\system32\\imageres.dll");
    EXPECT_EQ(icons.calls.last().index, 5);

    answerChooser(dir.file("plain"));
    button("browseFolder")->click();
    EXPECT_EQ(icons.calls.last().file, "shell32.dll");
    EXPECT_EQ(icons.calls.last().index, 3);

    // Cancelled: path, name and icon stay as they were.
    name()->setText("name");
    const qsizetype extracted = icons.calls.size();
    answerChooser(QString());
    button("browseFolder")->click();
    EXPECT_EQ(name()->text(), "name");
    EXPECT_EQ(target()->toPlainText(), dir.file("plain"));
    EXPECT_EQ(icons.calls.size(), extracted);
}

// The place of a new name in data.lst, through the dialog.
struct InsertionCase
{
    const char *name;
    QByteArray list;
    QString keyword;
    QStringList expected;
};

class RegistrationInsertion : public Registration,
                              public ::testing::WithParamInterface<InsertionCase>
{
};

TEST_P(RegistrationInsertion, PlacesTheNewNameThenWritesItsEntry)
{
    const InsertionCase &c = GetParam();
    dir.write("data.lst", c.list);
    fill(c.keyword, "/usr/bin/tool", "-v", "");
    dialog->registerEntry();

    EXPECT_TRUE(interaction.warnings.isEmpty());
    EXPECT_EQ(interaction.notices, QStringList{kAdded});
    EXPECT_EQ(file("data.lst"), c.expected.join("\r\n") + "\r\n");
    EXPECT_EQ(root->store().keywords(), c.expected);
    EXPECT_EQ(file("data/" + c.keyword), "/usr/bin/tool\r\n\r\n-v\r\n");
    expectFinished("-v");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistrationInsertion,
    ::testing::Values(InsertionCase{"JoinsItsGroupLast",
                                    "apple\r\nbanana\r\ncherry\r\n",
                                    "blue",
                                    {"apple", "banana", "blue", "cherry"}},
                      InsertionCase{"GroupIgnoresCase",
                                    "apple\r\nbanana\r\ncherry\r\n",
                                    "Cat",
                                    {"apple", "banana", "cherry", "Cat"}},
                      InsertionCase{"NewGroupAfterAllGoesLast",
                                    "apple\r\nbanana\r\ncherry\r\n",
                                    "zebra",
                                    {"apple", "banana", "cherry", "zebra"}},
                      InsertionCase{"DigitGoesFirst",
                                    "apple\r\nbanana\r\ncherry\r\n",
                                    "7zip",
                                    {"7zip", "apple", "banana", "cherry"}},
                      InsertionCase{"ScatteredGroupIsGathered",
                                    "apple\r\nmycomputer\r\navocado\r\n",
                                    "apricot",
                                    {"apple", "avocado", "apricot", "mycomputer"}},
                      InsertionCase{"EmptyListTakesTheOnlyRow", "", "solo", {"solo"}}),
    CaseName());

} // namespace
