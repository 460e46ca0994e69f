#pragma once

#include "keywords/KeywordReading.h"

#include <QObject>
#include <QString>

#include <optional>

class ApplicationIndex;
class InstalledApplications;
class Settings;

// The line's last fallback: the installed application its text reaches where no keyword does,
// literally or by its reading, while the Applications setting is on. Remembers what it
// offered for which text, so that Enter and the commands take the application the user saw.
class ApplicationOffer : public QObject
{
    Q_OBJECT

public:
    struct Offered
    {
        QString text; // the line's text that reached it
        QString file; // its desktop entry
        QString name;
        QString comment;
    };

    ApplicationOffer(InstalledApplications &applications, const Settings &settings,
                     QObject *parent);
    ~ApplicationOffer() override;

    // Reads the applications off the interface thread, where the setting is on (else at the
    // first offer once it is).
    void start();
    // What the text reaches (by its reading too, where one is given), recorded as offered;
    // none withdraws the offer.
    std::optional<Offered> offer(const QString &text, const KeywordReading::Typed *reading);
    void withdraw() { m_offered.reset(); }
    bool offering() const { return m_offered.has_value(); }
    // The application offered while the line holds this text.
    std::optional<Offered> offeredFor(const QString &text) const;

    ApplicationIndex &index() const { return *m_index; }

signals:
    // The applications were read (again): a text typed meanwhile may reach one now.
    void applicationsReady();

private:
    ApplicationIndex *m_index;
    const Settings &m_settings;
    std::optional<Offered> m_offered;
};
