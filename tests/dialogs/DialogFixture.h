#pragma once

#include "Form1Fixture.h"

#include "dialogs/Unit2.h"
#include "dialogs/Unit4.h"

#include <QFileDialog>

// The main window with the registration and special items dialogs made as main() makes
// them, and file or folder choosers answered in place of the user.
class DialogFixture : public Form1Fixture
{
protected:
    // What a chooser was opened with.
    struct ChooserSeen
    {
        QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
        bool dirsOnly = false;
        QString title;
        QString directory;
        QStringList selected;
    };

    void startDialogs();

    // The next choosers are answered with the path, or cancelled when it is empty.
    void answerChooser(const QString &path);

    QString file(const QString &name) const { return QString::fromLatin1(dir.read(name)); }

    TForm2 *form2 = nullptr;
    TForm4 *form4 = nullptr;
    QList<ChooserSeen> choosers;
};
