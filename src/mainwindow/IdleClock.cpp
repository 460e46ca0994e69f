#include "IdleClock.h"

#include "ClockText.h"
#include "KeywordLineEdit.h"

#include "base/Guard.h"

#include <QDateTime>
#include <QLocale>
#include <QTimer>

IdleClock::IdleClock(KeywordLineEdit &line, Interaction &interaction, QObject *parent)
    : QObject(parent)
    , m_line(line)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("idleClock"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this,
            [this, &interaction] { guarded(interaction, [&] { tick(); }); });
}

void IdleClock::switchOn()
{
    if (!m_timer->isActive())
        m_timer->start();
}

bool IdleClock::isOn() const
{
    return m_timer->isActive();
}

void IdleClock::holdForTyping()
{
    m_userTyping = true;
    m_timer->stop();
}

void IdleClock::resume()
{
    m_userTyping = false;
    switchOn();
}

void IdleClock::tick()
{
    if (m_userTyping || m_line.hasSelectedText() || m_line.composing()) {
        m_timer->stop();
        return;
    }
    if (m_idleTicks <= 3) {
        ++m_idleTicks;
        return;
    }
    showTimeNow();
}

void IdleClock::showTimeNow()
{
    m_line.showStandIn(clockText(QDateTime::currentDateTime(), QLocale::system()));
}

bool IdleClock::showsTime() const
{
    return m_line.showsStandIn();
}

void IdleClock::giveWay()
{
    // Setting the text instead would reset the input method and lose a composition it is
    // starting.
    if (showsTime())
        m_line.selectWhole();
}
