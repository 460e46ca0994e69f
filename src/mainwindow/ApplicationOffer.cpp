#include "ApplicationOffer.h"

#include "keywords/ApplicationIndex.h"
#include "settings/Settings.h"

ApplicationOffer::ApplicationOffer(InstalledApplications &applications, const Settings &settings,
                                   QObject *parent)
    : QObject(parent)
    , m_index(new ApplicationIndex(applications, this))
    , m_settings(settings)
{
    m_index->setObjectName(QStringLiteral("applicationIndex"));
    connect(m_index, &ApplicationIndex::applicationsReady, this,
            &ApplicationOffer::applicationsReady);
}

ApplicationOffer::~ApplicationOffer() = default;

void ApplicationOffer::start()
{
    if (m_settings.applications())
        m_index->start();
}

std::optional<ApplicationOffer::Offered>
ApplicationOffer::offer(const QString &text, const KeywordReading::Typed *reading)
{
    m_offered.reset();
    if (!m_settings.applications())
        return std::nullopt;
    // Switched on after the start: read now, offered from once read.
    m_index->start();
    const qsizetype found = m_index->find(text, reading);
    if (found < 0)
        return std::nullopt;
    m_offered = Offered{text, m_index->file(found), m_index->name(found), m_index->comment(found)};
    return m_offered;
}

std::optional<ApplicationOffer::Offered> ApplicationOffer::offeredFor(const QString &text) const
{
    if (m_offered && m_offered->text == text && m_settings.applications())
        return m_offered;
    return std::nullopt;
}
