#include "TrayIcon.h"

#include "base/Guard.h"
#include "ui/ProgramIcon.h"

#include <QSystemTrayIcon>

TrayIcon::TrayIcon(Interaction &interaction, QObject *parent)
    : QObject(parent)
    , m_icon(new QSystemTrayIcon(programIcon(), parent))
{
    m_icon->setObjectName(QStringLiteral("trayIcon"));
    m_icon->setToolTip(QStringLiteral("tobio launcher"));
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this, &interaction](QSystemTrayIcon::ActivationReason reason) {
                guarded(interaction, [&] {
                    if (reason == QSystemTrayIcon::Trigger)
                        emit clicked();
                    else if (reason == QSystemTrayIcon::Context)
                        emit menuRequested();
                });
            });
}

void TrayIcon::show()
{
    m_icon->show();
}

void TrayIcon::setMenu(QMenu *menu)
{
    m_icon->setContextMenu(menu);
}

bool TrayIcon::shown() const
{
    return m_icon->isVisible();
}
