#pragma once

#include "platform/InstalledApplications.h"

// The desktop's installed applications, read and launched by the helper program
// tblaunch-applications (GioApplications, through GLib's GDesktopAppInfo), so that the
// resident launcher never loads GIO. The folders are listed here, so that a reading sees the
// files as they are now rather than a cache of them.
class HelperApplications : public InstalledApplications
{
public:
    // The applications folders of XDG_DATA_HOME and XDG_DATA_DIRS, through the helper
    // installed with this program.
    HelperApplications();
    HelperApplications(QStringList folders, QString helper);

    // Where the helper is: beside the program (a build or a portable copy), else where the
    // package installs it.
    static QString installedHelper();

    QStringList folders() const override { return m_folders; }
    QList<InstalledApplication> read(const std::atomic<bool> &stop) const override;
    void launch(const QString &file) override;

private:
    QStringList m_folders;
    QString m_helper;
};
