#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
struct AppContext;

// Asks for the name of the skin folder that the editor's skin is written to, makes the
// folder in the skin root and hands it to the writer; afterwards the dialog closes and
// forgets the name. A name that is empty, would leave the skin root, or that the file
// system refuses makes nothing.
class SkinNameDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SkinNameDialog(AppContext &context);

    // Writes the skin into the folder; an error keeps the dialog open.
    std::function<void(const QString &folder)> writer;

    // Shows the dialog modally as the owner's dialog (a tiling desktop floats it), with its
    // outer corner at the position; a name that is not empty goes into the name field first.
    void openAt(QWidget &owner, QPoint corner, const QString &name);

    // "OK" and "cancel".
    void confirm();
    void cancel();

    void setVisible(bool visible) override;
    QLineEdit *nameField();

private:
    void buildControls();

    AppContext &m_context;
    QLineEdit *m_name = nullptr;
};
