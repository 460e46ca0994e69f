#pragma once

#include <QDialog>

// A dialog that gives back its native window and backing store once it is put away, so that
// the resident launcher holds only what its open windows need; the widgets and what they
// show stay, and the next opening makes a window for them anew (about a millisecond). The
// heap's free pages go back to the system as well.
class ReleasingDialog : public QDialog
{
public:
    using QDialog::QDialog;

protected:
    void hideEvent(QHideEvent *event) override;
};
