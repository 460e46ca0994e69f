#pragma once

#include "platform/Shell.h"

#include <QStringList>

// Opens targets the way a Linux desktop does: programs are started detached with their
// parameters, everything else goes to the desktop's handler (xdg-open).
class LinuxShell : public Shell
{
public:
    void open(const QString &target, const QString &parameters) override;
    void openWithFile(const QString &target, const QString &file) override;

private:
    static void run(const QString &target, const QStringList &arguments);
    static void start(const QString &program, const QStringList &arguments,
                      const QString &workingFolder = {});
    static void openWithDesktop(const QString &what);
    static void openExplorer(const QString &parameters);
};
