#pragma once

#include <QObject>
#include <QString>

class Interaction;
class QWidget;

// Asks the user for a folder with the toolkit's modal folder chooser, which offers only
// real folders of the file system.
class TFolderDlg : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Title MEMBER Title)
    Q_PROPERTY(QString Root MEMBER Root)
    Q_PROPERTY(QString FolderName MEMBER FolderName)

public:
    // The chooser is shown over the owner's window, through the interaction's modal seam.
    TFolderDlg(QWidget *owner, Interaction &interaction);

    // True when the user confirmed a folder, whose absolute path is then in FolderName;
    // false when cancelled, with FolderName emptied.
    bool Execute();

    // The chooser's caption.
    QString Title;
    // The folder selected when the chooser opens; it does not limit where the user may go.
    // Empty, or naming no folder, selects nothing.
    QString Root;
    // The result.
    QString FolderName;

private:
    QWidget *m_owner;
    Interaction &m_interaction;
};
