#include "DialogFixture.h"

void DialogFixture::startDialogs()
{
    start();
    form2 = std::make_unique<TForm2>(context);
    context.form2 = form2.get();
    form4 = std::make_unique<TForm4>(context);
    context.form4 = form4.get();
    form4->FormCreate();
}

void DialogFixture::TearDown()
{
    form4.reset();
    form2.reset();
    Form1Fixture::TearDown();
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
