#include "FakeApplications.h"

#include "base/Error.h"

QStringList FakeApplications::folders() const
{
    const std::lock_guard lock(m_mutex);
    return m_folders;
}

QList<InstalledApplication> FakeApplications::read(const std::atomic<bool> &) const
{
    const std::lock_guard lock(m_mutex);
    return m_applications;
}

void FakeApplications::launch(const QString &file)
{
    launched.append(file);
    if (!failWith.isEmpty())
        throw Error(failWith);
}

void FakeApplications::setApplications(QList<InstalledApplication> applications)
{
    const std::lock_guard lock(m_mutex);
    m_applications = std::move(applications);
}

void FakeApplications::setFolders(QStringList folders)
{
    const std::lock_guard lock(m_mutex);
    m_folders = std::move(folders);
}
