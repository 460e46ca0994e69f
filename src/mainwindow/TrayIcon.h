#pragma once

#include <QObject>

class Interaction;
class QMenu;
class QSystemTrayIcon;

// The program's icon in the notification area, shown from start-up on. A click with the
// left button and one with the right are reported, each through the error box.
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

private:
    QSystemTrayIcon *m_icon;
};
