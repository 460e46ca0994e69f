#include "FolderDialog.h"

#include "base/Interaction.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

TFolderDlg::TFolderDlg(QWidget *owner, Interaction &interaction)
    : QObject(owner)
    , m_owner(owner)
    , m_interaction(interaction)
{
}

bool TFolderDlg::Execute()
{
    QFileDialog dialog(m_owner);
    dialog.setObjectName(QStringLiteral("FolderChooser"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!Title.isEmpty())
        dialog.setWindowTitle(Title);

    // The root is shown selected within its parent folder; without one the chooser starts
    // at the home folder, the top of the user's own folders.
    const QFileInfo root(QDir::cleanPath(Root));
    if (!Root.isEmpty() && root.isDir()) {
        dialog.setDirectory(root.absolutePath());
        dialog.selectFile(root.absoluteFilePath());
    } else {
        dialog.setDirectory(QDir::homePath());
    }

    FolderName.clear();
    if (m_interaction.execModal(dialog) != QDialog::Accepted)
        return false;
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty() || !QFileInfo(chosen).isDir())
        return false;
    FolderName = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    return true;
}
