#pragma once

#include "platform/InstalledApplications.h"

// The desktop entries of the XDG applications folders through GLib's GDesktopAppInfo, which
// reads them, judges them as the menu does (Type, Hidden, NoDisplay, OnlyShowIn and NotShowIn
// against XDG_CURRENT_DESKTOP, TryExec) and launches them (field codes, Terminal,
// DBusActivatable). The folders are listed here, so that a reading sees the files as they are
// now rather than GLib's cache of them.
class GioApplications : public InstalledApplications
{
public:
    // The applications folders of XDG_DATA_HOME and XDG_DATA_DIRS.
    GioApplications();
    explicit GioApplications(QStringList folders);

    QStringList folders() const override { return m_folders; }
    QList<InstalledApplication> read() const override;
    void launch(const QString &file) override;

private:
    QStringList m_folders;
};
