#pragma once

#include <QObject>
#include <QPointer>

class Interaction;
class QDBusMessage;
class QMenu;
class QSystemTrayIcon;

// The program's icon in the notification area, shown from start-up on. A click with the
// left button and one with the right are reported, each through the error box.
//
// On Wayland the icon is a StatusNotifierItem, and the toolkit decides once, when the first
// icon is made, whether a notification area is there to take one: so the icon is made only
// once the area's watcher is on the session bus with a host, however late it comes (a panel
// slow at login). Once made, the toolkit registers it again with a watcher that restarts.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(Interaction &interaction, QObject *parent);

    void show();
    // The menu a notification area that draws the icon's menu itself shows on a right
    // click (a StatusNotifierItem host); others report the click.
    void setMenu(QMenu *menu);
    // Shown since start-up: the icon can bring a hidden window back.
    bool shown() const;

signals:
    void clicked();
    void menuRequested();

private slots:
    // Asks the watcher whether a host is there, and makes the icon if so.
    void askForHost();

private:
    void makeIcon();
    void onHostAnswer(const QDBusMessage &reply);

    Interaction &m_interaction;
    QObject *m_owner;
    QSystemTrayIcon *m_icon = nullptr;
    QPointer<QMenu> m_menu;
    bool m_wanted = false;
    bool m_waitsForWatcher = false;
};
