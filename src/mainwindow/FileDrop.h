#pragma once

#include "keywords/EntryIcon.h"

#include <QList>
#include <QStringList>
#include <QUrl>

#include <optional>

class Launcher;

// What files and folders dropped on the main window do. Unlocked, or locked while the line
// names nothing, the first of them is proposed for registration. Locked on a keyword, they go to
// its entry: a program's target opens the first of them, a folder's target takes a copy of every
// dropped file that it does not hold yet; then the lock is released and, when the settings say so,
// the line shows the date and time.
class FileDrop
{
public:
    // The registration dialog's name, path and icon for a dropped path.
    struct Proposal
    {
        QString keyword;
        QString path;
        IconRef icon;
    };

    explicit FileDrop(Launcher &launcher);

    // The local files and folders among the dropped addresses, in their order.
    static QStringList localPaths(const QList<QUrl> &urls);

    // The paths are whole local paths, in the order dropped. Answers the proposal when the
    // window is not locked on a shown keyword. Raises the entry's open error when locked on a
    // keyword whose entry cannot be read; the window then stays locked.
    std::optional<Proposal> drop(const QStringList &paths);

private:
    // Copies what can be copied; answers the files that could not be.
    static QStringList copyInto(const QString &folder, const QStringList &paths);

    Launcher &m_launcher;
};
