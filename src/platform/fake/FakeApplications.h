#pragma once

#include "platform/InstalledApplications.h"

#include <QList>
#include <QString>

#include <mutex>

// Applications given by the test; records what was launched and can be told to fail.
class FakeApplications : public InstalledApplications
{
public:
    QStringList folders() const override;
    QList<InstalledApplication> read(const std::atomic<bool> &stop) const override;
    void launch(const QString &file) override;

    // Replaces what the next read() finds (read() runs on another thread).
    void setApplications(QList<InstalledApplication> applications);
    void setFolders(QStringList folders);

    QStringList launched;
    QString failWith; // non-empty: launch raises an Error with this text

private:
    mutable std::mutex m_mutex;
    QList<InstalledApplication> m_applications;
    QStringList m_folders;
};
