#pragma once

#include "AppContext.h"

#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class KeywordLineEdit;
class KeywordListModel;
class KeywordStore;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class TExitWin;
class TMathsParser;

// The launcher's main window: the input line with its keyword list, the entry's icon and
// description, the popup menu whose commands the input line's slash commands click, the
// idle clock, and the notification-area icon it hides to when another program is used.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(AppContext &context);
    ~TForm1() override;

    KeywordStore &store() { return *m_store; }

    // Start-up; an error ends it early and is shown, the window appears regardless.
    void FormCreate();

    // Every character the input line receives, before the line itself sees it.
    void ComboBox1KeyPress(QChar key);
    // Every key pressed, as a virtual-key code, before its character.
    void ComboBox1KeyDown(int key);
    // The user changed the input line: show the icon and description of what it names.
    void ComboBox1Change();

    void Timer1Timer();
    // The program lost the foreground to another one, or got it back.
    void AppDeactivate();
    void AppActivate();
    // The notification-area icon was clicked with the left or the right button.
    void TrayLeftClick();
    void TrayRightClick();
    void PopupMenu1Popup();

    void N14Click();
    void N8Click();
    void N1Click();
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
    QAction *default1;
    QAction *skinini2;
    QAction *skinini1;
    QAction *N11;
    QAction *N6;
    QAction *N5;
    QAction *N15;
    QAction *N12;
    QTimer *Timer1;
    QSystemTrayIcon *TrayIcon;
    TMathsParser *Keisan;
    TExitWin *ExitWin1;
    int typingFlag = 0;
    uint16_t idleTicks = 0;
    // The skin folder name read at start-up, written back at the end.
    QString selectedSkinName;

    // What the desktop says; tests answer in its place.
    std::function<bool()> shiftHeld;
    std::function<bool()> trayAvailable;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void startUp();
    void applyDefaultLayout();
    void setInputText(const QString &text);
    void dispatchEnter();
    void calculate(const QString &text);
    void launch(const QString &entryFile);
    void switchClockOn();
    void releaseLock();
    void finish();
    void restore();
    bool stayOnTop() const;
    int hotkey() const;
    QString shutdownName() const;
    QString rebootName() const;
    QAction *addItem(const char *name, const QString &caption, void (TForm1::*handler)());
    QAction *addSeparator(const char *name);

    AppContext &m_context;
    std::unique_ptr<KeywordStore> m_store;
    KeywordListModel *m_model = nullptr;
    QString m_textBeforeReload;
    // Set while the window follows the mouse where the window manager cannot move it.
    std::optional<QPoint> m_dragOffset;
};
