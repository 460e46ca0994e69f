#pragma once

#include <QObject>
#include <QPoint>

#include <array>
#include <functional>

class Interaction;
class QAction;
class QActionGroup;
class QMenu;
class QWidget;

// The main window's popup menu: its commands in their order, the lock's check and caption,
// and the shortened form the notification-area icon opens (no lock, no commands on the
// shown entry). The window gives each command its handler; a click runs it through the
// error box, a typed command runs it directly, so that an error stops the typed command
// where it occurs.
class MainMenu : public QObject
{
    Q_OBJECT

public:
    enum class Command {
        Lock,
        Register,
        SpecialItems,
        OpenTargetFolder,
        DeleteEntry,
        Settings,
        KeywordOrder,
        DefaultSkin,
        EditSkinIni,
        SkinEditor,
        Help,
        About,
        Quit,
    };
    static constexpr std::size_t CommandCount = std::size_t(Command::Quit) + 1;

    MainMenu(QWidget &window, Interaction &interaction);

    QAction *action(Command command) const { return m_actions[std::size_t(command)]; }

    void setHandler(Command command, std::function<void()> handler);
    // The command's handler, its errors left to the caller; nothing for a command without one.
    void run(Command command);

    // The lock: while it is on the window stays when another program is used, and drops
    // act on the shown entry.
    bool locked() const;
    void toggleLock();
    void releaseLock();

    bool defaultSkin() const;
    void setDefaultSkin(bool on);
    // A skin on top of the skin submenu, captioned with its name as it is ("&" included).
    void addSkin(const QString &name);
    // Checks the skin's item, which unchecks "default" and every other skin.
    void checkSkin(const QString &name);
    // What choosing a skin does; run through the error box like every command.
    void setSkinHandler(std::function<void(const QString &name)> handler);
    // The skin submenu's items, top to bottom ("default" last).
    QList<QAction *> skinActions() const;

    // The whole menu at the position; the window's own right click.
    void popup(QPoint position);
    // The notification-area icon's menu: the commands on the shown entry left out.
    void popupShortened(QPoint position);

private:
    void showEntryCommands(bool visible);

    Interaction &m_interaction;
    QMenu *m_menu;
    std::array<QAction *, CommandCount> m_actions{};
    std::array<std::function<void()>, CommandCount> m_handlers{};
    std::function<void(const QString &)> m_skinHandler;
    QMenu *m_skins = nullptr;
    QActionGroup *m_skinGroup = nullptr;
    QAction *m_lockSeparator = nullptr;
    QAction *m_afterDeleteSeparator = nullptr;
};
