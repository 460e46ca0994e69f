#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh folder for one test, removed afterwards. path() ends in "/" like the
// executable folder.
class TempFolder
{
public:
    TempFolder();

    QString path() const;
    QString file(const QString &name) const { return path() + name; }

    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
