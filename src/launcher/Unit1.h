#pragma once

#include "AppContext.h"

#include <QWidget>

#include <memory>

class KeywordLineEdit;
class KeywordListModel;
class KeywordStore;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QTimer;
class TExitWin;
class TMathsParser;

// The launcher's main window: the input line with its keyword list, the entry's icon and
// description, and the popup menu whose commands the input line's slash commands click.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(AppContext &context);
    ~TForm1() override;

    KeywordStore &store() { return *m_store; }

    // Start-up; errors end it early and are shown, the window appears regardless.
    void FormCreate();

    // Every character the input line receives, before the line itself sees it.
    void ComboBox1KeyPress(QChar key);
    // Every key pressed, as a virtual-key code, before its character.
    void ComboBox1KeyDown(int key);

    void N14Click();
    void N8Click();
    void N16Click();
    void N6Click();
    void N2Click();
    void N9Click();
    void N12Click();

    bool locked() const;
    void clearDisplay();

    QComboBox *ComboBox1;
    KeywordLineEdit *ComboBox1Edit;
    QLabel *Image1;
    QLabel *Label1;
    QMenu *PopupMenu1;
    QAction *N14;
    QAction *N7;
    QAction *N8;
    QAction *N1;
    QAction *N2;
    QAction *N3;
    QAction *N9;
    QAction *N10;
    QAction *N13;
    QAction *N16;
    QAction *N4;
    QAction *skinini2;
    QAction *skinini1;
    QAction *N11;
    QAction *N6;
    QAction *N5;
    QAction *N15;
    QAction *N12;
    QTimer *Timer1;
    TMathsParser *Keisan;
    TExitWin *ExitWin1;
    int typingFlag = 0;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void buildMenu();
    void applyDefaultLayout();
    void setInputText(const QString &text);
    void dispatchEnter();
    void calculate(const QString &text);
    void launch(const QString &keyword);
    void releaseLock();
    void finish();
    QString shutdownName() const;
    QString rebootName() const;
    QAction *addItem(const char *name, const QString &caption, void (TForm1::*handler)());
    QAction *addSeparator(const char *name);

    AppContext &m_context;
    std::unique_ptr<KeywordStore> m_store;
    KeywordListModel *m_model;
    QString m_textBeforeReload;
};
