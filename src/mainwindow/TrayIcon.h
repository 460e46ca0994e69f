#pragma once

#include <QObject>

class Interaction;
class QSystemTrayIcon;

// The program's icon in the notification area, shown from start-up on. A click with the
// left button and one with the right are reported, each through the error box.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(Interaction &interaction, QObject *parent);

    void show();
    // Shown since start-up: the icon can bring a hidden window back.
    bool shown() const;

signals:
    void clicked();
    void menuRequested();

private:
    QSystemTrayIcon *m_icon;
};
