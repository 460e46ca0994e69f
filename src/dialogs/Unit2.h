#pragma once

#include "launcher/AppContext.h"

#include <QDialog>

class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TFolderDlg;
struct Entry;
struct IconRef;

// The registration dialog: a keyword's name, path, parameters and description. Registering
// a new name places it in data.lst by the first-character rule; registering a name already
// listed rewrites its entry once the user agrees. The fields keep their contents between
// openings; the opener fills whichever it needs before showing the dialog modally.
class TForm2 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(AppContext &context, QWidget *parent = nullptr);
    ~TForm2() override;

    // The opener's choice: off for a special item, whose description alone may change;
    // on for every other opening.
    void setEntryFieldsEnabled(bool enabled);
    // Shows the icon in Image1, or nothing when the file holds no such icon.
    void setIcon(const IconRef &icon);

    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button5Click();

    QLabel *Label1;
    QLineEdit *Edit1;
    QLabel *Image1;
    QLabel *Label2;
    QPlainTextEdit *Memo1;
    QPushButton *Button2;
    QPushButton *Button4;
    QLabel *Label4;
    QPlainTextEdit *Memo2;
    QPushButton *Button5;
    QLabel *Label3;
    QLineEdit *Edit2;
    QPushButton *Button1;
    QFileDialog *OpenDialog1 = nullptr;
    TFolderDlg *FolderDlg1;

private:
    Entry entry() const;
    void finish();

    AppContext &m_context;
};
