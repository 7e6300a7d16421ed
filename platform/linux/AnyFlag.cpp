#include "platform/linux/AnyFlag.h"

AnyFlag::AnyFlag(QObject &owner, std::function<void(bool)> report)
    : QObject(&owner)
    , m_report(std::move(report))
{
}

std::function<void(bool)> AnyFlag::input()
{
    const qsizetype source = m_sources.size();
    m_sources.append(false);
    return [this, source](bool on) { set(source, on); };
}

void AnyFlag::start()
{
    m_started = true;
    m_value = any();
    m_report(m_value);
}

void AnyFlag::set(qsizetype source, bool on)
{
    m_sources[source] = on;
    if (!m_started || any() == m_value)
        return;
    m_value = !m_value;
    m_report(m_value);
}

bool AnyFlag::any() const
{
    return m_sources.contains(true);
}
