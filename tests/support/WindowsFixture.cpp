#include "WindowsFixture.h"

#include "mainwindow/IdleClock.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/Launcher.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

void WindowsFixture::start()
{
    root = std::make_unique<CompositionRoot>(context);
    window = &root->mainWindow();
}

void WindowsFixture::TearDown()
{
    root.reset();
}

KeywordLineEdit *WindowsFixture::input() const
{
    return child<KeywordLineEdit>(*window, "input");
}

QComboBox *WindowsFixture::keywordBox() const
{
    return child<QComboBox>(*window, "keywordBox");
}

QLabel *WindowsFixture::icon() const
{
    return child<QLabel>(*window, "icon");
}

QLabel *WindowsFixture::description() const
{
    return child<QLabel>(*window, "description");
}

IdleClock *WindowsFixture::clock() const
{
    return child<IdleClock>(*window, "idleClock");
}

MainMenu *WindowsFixture::menu() const
{
    return child<MainMenu>(*window, "mainMenu");
}

Launcher *WindowsFixture::launcher() const
{
    return child<Launcher>(*window, "launcher");
}

QAction *WindowsFixture::action(MainMenu::Command command) const
{
    return menu()->action(command);
}

void WindowsFixture::enter(const QString &text)
{
    input()->setText(text);
    press(Qt::Key_Return);
}

void WindowsFixture::type(const QString &text)
{
    for (QChar c : text) {
        // Qt's codes of printable ASCII keys are the upper-case characters.
        const int key = c.unicode() < 0x80 ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(keywordBox(), &event);
    }
}

void WindowsFixture::press(Qt::Key key)
{
    const QString text = key == Qt::Key_Return   ? QStringLiteral("\r")
                         : key == Qt::Key_Escape ? QStringLiteral("\x1b")
                                                 : QString();
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(keywordBox(), &event);
}

bool WindowsFixture::displayCleared() const
{
    return input()->text().isEmpty() && icon()->pixmap().isNull()
           && description()->text().isEmpty();
}

void WindowsFixture::answerChooser(const QString &path)
{
    interaction.onModal = [this, path](QDialog &dialog) {
        auto &chooser = dynamic_cast<QFileDialog &>(dialog);
        choosers.append({chooser.fileMode(), chooser.testOption(QFileDialog::ShowDirsOnly),
                         chooser.windowTitle(), chooser.directory().absolutePath(),
                         chooser.selectedFiles()});
        if (path.isEmpty())
            return int(QDialog::Rejected);
        chooser.selectFile(path);
        return int(QDialog::Accepted);
    };
}
