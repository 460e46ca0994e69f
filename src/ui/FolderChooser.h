#pragma once

#include <QObject>
#include <QString>

class Interaction;
class QWidget;

// Asks the user for a folder with the toolkit's modal folder chooser, which offers only
// real folders of the file system.
class FolderChooser : public QObject
{
    Q_OBJECT

public:
    // The chooser is shown over the owner's window, through the interaction's modal seam.
    FolderChooser(QWidget *owner, Interaction &interaction);

    // The chooser's caption.
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    // The folder selected when the chooser opens; it does not limit where the user may go.
    // Empty, or naming no folder, selects nothing.
    QString root() const { return m_root; }
    void setRoot(const QString &root) { m_root = root; }

    // True when the user confirmed a folder, whose absolute path is then folderName();
    // false when cancelled, with folderName() emptied.
    bool choose();
    QString folderName() const { return m_folderName; }

private:
    QWidget *m_owner;
    Interaction &m_interaction;
    QString m_title;
    QString m_root;
    QString m_folderName;
};
