#pragma once

#include "CommandTable.h"
#include "SkinList.h"

#include <QObject>
#include <QPoint>

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

// The main window's popup menu, built from the command table: its commands in their order,
// the lock's check and caption, and the shortened form the notification-area icon opens (no
// lock, no commands on the shown entry). A click is reported as chosen(); the window runs
// the command.
class MainMenu : public QObject, public SkinList
{
    Q_OBJECT

public:
    using Command = LauncherCommand;

    explicit MainMenu(QWidget &window);

    QAction *action(Command command) const { return m_actions[std::size_t(command)]; }

    // The lock's check and caption.
    void showLock(bool locked);

    bool defaultSkin() const override;
    void setDefaultSkin(bool on) override;
    // A skin on top of the skin submenu, captioned with its name as it is ("&" included).
    void addSkin(const QString &name) override;
    void checkSkin(const QString &name) override;
    // The skin submenu's items, top to bottom ("default" last).
    QList<QAction *> skinActions() const;

    // The whole menu at the position; the window's own right click.
    void popup(QPoint position);
    // The notification-area icon's menu: the commands on the shown entry left out.
    void popupShortened(QPoint position);
    // The same as a menu of its own, for a notification area that shows the icon's menu
    // itself; made at the first call.
    QMenu *shortenedMenu();

signals:
    void chosen(LauncherCommand command);
    void skinChosen(const QString &name);

private:
    QAction *addItem(const CommandRow &row);
    void showEntryCommands(bool visible);

    QMenu *m_menu;
    QMenu *m_shortened = nullptr;
    std::array<QAction *, LauncherCommandCount> m_actions{};
    QMenu *m_skins = nullptr;
    QActionGroup *m_skinGroup = nullptr;
    QAction *m_lockSeparator = nullptr;
    QAction *m_afterDeleteSeparator = nullptr;
};
