#pragma once

#include "launcher/AppContext.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The special items: my computer, my documents, the recycle bin, shutdown and reboot, each
// registered as an ordinary keyword under a name of the user's choice while ticked. The
// ticks and names are kept in the settings file; the main window reads the names from the
// fields while the program runs.
class TForm4 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm4(AppContext &context, QWidget *parent = nullptr);
    ~TForm4() override;

    // Start-up: the ticks and names from the settings file. The dialog never reloads them.
    void FormCreate();

    void Button1Click();
    void Button2Click();

    QCheckBox *CheckBox1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QCheckBox *CheckBox5;
    QLabel *Label5;
    QLineEdit *Edit5;
    QCheckBox *CheckBox4;
    QLabel *Label4;
    QLineEdit *Edit4;
    QCheckBox *CheckBox2;
    QLabel *Label2;
    QLineEdit *Edit2;
    QCheckBox *CheckBox3;
    QLabel *Label3;
    QLineEdit *Edit3;
    QPushButton *Button2;
    QPushButton *Button1;

private:
    struct ItemControls
    {
        QCheckBox *box;
        QLineEdit *name;
    };

    // In the order of the settings keys: my computer, my documents, recycle bin, shutdown,
    // reboot.
    std::array<ItemControls, 5> items() const;

    AppContext &m_context;
};
