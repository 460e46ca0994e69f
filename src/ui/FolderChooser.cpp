#include "FolderChooser.h"

#include "base/Interaction.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

FolderChooser::FolderChooser(QWidget *owner, Interaction &interaction)
    : QObject(owner)
    , m_owner(owner)
    , m_interaction(interaction)
{
}

bool FolderChooser::choose()
{
    QFileDialog dialog(m_owner);
    dialog.setObjectName(QStringLiteral("folderChooser"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!m_title.isEmpty())
        dialog.setWindowTitle(m_title);

    // The root is shown selected within its parent folder; without one the chooser starts
    // at the home folder, the top of the user's own folders.
    const QFileInfo root(QDir::cleanPath(m_root));
    if (!m_root.isEmpty() && root.isDir()) {
        dialog.setDirectory(root.absolutePath());
        dialog.selectFile(root.absoluteFilePath());
    } else {
        dialog.setDirectory(QDir::homePath());
    }

    m_folderName.clear();
    if (m_interaction.execModal(dialog) != QDialog::Accepted)
        return false;
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty() || !QFileInfo(chosen).isDir())
        return false;
    m_folderName = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    return true;
}
