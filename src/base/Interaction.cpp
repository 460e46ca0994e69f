#include "Interaction.h"

#include "ShiftJis.h"

Interaction::~Interaction() = default;

QString applicationTitle()
{
    return QStringLiteral("tblaunch");
}

QString errorBoxText(const QString &message)
{
    if (message.isEmpty())
        return message;
    // The last whole character, compared by its first byte in the code page.
    qsizetype start = message.size() - 1;
    if (start > 0 && message[start].isLowSurrogate() && message[start - 1].isHighSurrogate())
        --start;
    const std::optional<QByteArray> last = ShiftJis::encode(QStringView(message).mid(start));
    const bool after = last ? static_cast<unsigned char>(last->at(0)) > '.' : true;
    return after ? message + u'.' : message;
}
