#include "core/fetch/AnnouncementFetch.h"

bool AnnouncementFetch::setOnline(bool online)
{
    const bool changed = m_online != online;
    m_online = online;
    return changed;
}

void AnnouncementFetch::arm()
{
    if (m_step == Step::None)
        m_step = Step::Text;
}

AnnouncementFetch::Action AnnouncementFetch::textStep(bool serverConfigured)
{
    // A message box of this step may be open: its own tick must not start
    // it again meanwhile.
    if (m_step != Step::Text || m_busy || !online())
        return Action::Wait;
    if (!serverConfigured) {
        // No announcement server: nothing to fetch, nothing to report.
        m_step = Step::None;
        return Action::Finish;
    }
    m_busy = true;
    return Action::DownloadText;
}

void AnnouncementFetch::textDone(bool gotText)
{
    // Only the end of the download this state started counts.
    if (m_step != Step::Text || !m_busy)
        return;
    m_busy = false;
    m_step = gotText ? Step::Compare : Step::Done;
}

AnnouncementFetch::Action AnnouncementFetch::compareStep(const QByteArray &installed, const QByteArray &fetched)
{
    if (m_step != Step::Compare || m_busy)
        return Action::Wait;
    if (fetched == installed) {
        m_step = Step::Done;
        return Action::Finish;
    }
    m_busy = true;
    return Action::DownloadMovie;
}

void AnnouncementFetch::movieDone()
{
    if (m_step != Step::Compare || !m_busy)
        return;
    m_busy = false;
    m_step = Step::Done;
}
