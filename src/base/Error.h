#pragma once

#include <QString>

#include <exception>

// The one exception type of the program: it carries the text shown in the error box.
// Components derive their own kinds from it.
class Error : public std::exception
{
public:
    explicit Error(QString message);

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override;

private:
    QString m_message;
    QByteArray m_utf8;
};
