#include "DialogFixture.h"

void DialogFixture::startDialogs()
{
    start();
    form2 = &windows->form2();
    form4 = &windows->form4();
}

void DialogFixture::answerChooser(const QString &path)
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
