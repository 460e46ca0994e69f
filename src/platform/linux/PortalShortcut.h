#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

// A shortcut as the GlobalShortcuts portal passes it, (sa{sv}): its identifier and its
// properties ("description", "preferred_trigger" asked; "trigger_description" answered).
struct PortalShortcut
{
    QString id;
    QVariantMap properties;

    // Makes the type known to the bus; once, before the first call.
    static void registerType();
};

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut);
const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut);

Q_DECLARE_METATYPE(PortalShortcut)
