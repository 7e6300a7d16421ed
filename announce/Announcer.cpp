#include "announce/Announcer.h"

#include "announce/MovieStrip.h"
#include "core/cycle/PeriodicTimer.h"
#include "core/fetch/SwfCheckJob.h"
#include "core/fetch/clsDownload.h"
#include "core/settings/RegularFile.h"
#include "core/settings/SaveFile.h"
#include "core/system/DataFiles.h"
#include "platform/Platform.h"

#include <QEvent>
#include <QFile>
#include <QWidget>

Announcer::Announcer(Platform &platform, Clock &clock, MovieStrip &strip, const QString &dataFolder, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_strip(strip)
    , m_dataFolder(dataFolder)
    , m_stallMs(clsDownload::DefaultStallMs)
{
    using Precision = PeriodicTimer::Precision;
    auto timer = [this, &clock](int ms, Precision precision, void (Announcer::*work)()) {
        auto *t = new PeriodicTimer(clock, ms, precision, this);
        connect(t, &PeriodicTimer::timeout, this, work);
        return t;
    };
    m_connectionTimer = timer(ConnectionCheckMs, Precision::Coarse, &Announcer::connectionTick);
    m_movieTimer = timer(MovieCheckMs, Precision::Coarse, &Announcer::movieCheck);
    m_textTimer = timer(TextStepMs, Precision::Precise, &Announcer::textStep);
    m_compareTimer = timer(CompareStepMs, Precision::Precise, &Announcer::compareStep);
    // A change the system's network service tells of is checked at once;
    // the connection timer stays for what it does not tell.
    m_platform.watchConnection(*this, [this] {
        if (m_started && m_publisher.configured())
            connectionTick();
    });
    // The strip is only seen with its window: the movie is looked for while
    // the window is up, and once more as it comes up.
    m_strip.window()->installEventFilter(this);
}

Announcer::~Announcer() = default;

QString Announcer::dataPath(const char *name) const
{
    return DataFiles::path(m_dataFolder, name);
}

QString Announcer::installedMovie() const
{
    return dataPath(DataFiles::Movie);
}

void Announcer::setPublisher(const Publisher &publisher)
{
    const bool wasConfigured = m_publisher.configured();
    m_publisher = publisher;
    if (!wasConfigured && m_publisher.configured() && m_started)
        watchConnection();
}

void Announcer::start()
{
    m_started = true;
    if (m_publisher.configured())
        watchConnection();
    m_movieTimer->runWhile(m_strip.window()->isVisible());
    movieCheck();
}

void Announcer::watchConnection()
{
    // Without a server the connection decides nothing: it is not watched.
    m_connectionTimer->start();
    arm();
}

bool Announcer::eventFilter(QObject *watched, QEvent *event)
{
    if (m_started && watched == m_strip.window()) {
        if (event->type() == QEvent::Show) {
            movieCheck();
            m_movieTimer->start();
        } else if (event->type() == QEvent::Hide) {
            m_movieTimer->stop();
        }
    }
    return QObject::eventFilter(watched, event);
}

void Announcer::updateSteps()
{
    // Off-line, or while a download of the step runs, a tick would find
    // nothing to do: the timer rests until then.
    const bool textDue = m_fetch.step() == AnnouncementFetch::Step::Text && !m_fetch.busy() && m_fetch.online();
    m_textTimer->runWhile(textDue);
    m_compareTimer->runWhile(m_fetch.compareDue());
}

void Announcer::arm()
{
    m_fetch.arm();
    updateSteps();
}

void Announcer::connectionTick()
{
    // The fetch still to run is what the system's network service is
    // asked for; afterwards the answer is only kept.
    const bool online = m_platform.isConnected(m_fetch.wantsService());
    // While the network service reports every change, the tick would only
    // repeat its answer: it rests until the service no longer knows.
    m_connectionTimer->runWhile(!m_platform.connectionReported());
    if (m_fetch.setOnline(online)) {
        updateSteps();
        Q_EMIT connectionChanged(online);
    }
}

void Announcer::download(const QString &path, const QString &destination, qint64 cap, int deadlineMs,
                         std::function<void(bool)> done)
{
    auto *downloader = new clsDownload(m_platform.network(), this);
    connect(downloader, &clsDownload::finished, this, [downloader, done](bool ok) {
        downloader->deleteLater();
        done(ok);
    });
    const clsDownload::Limits limits{cap, m_stallMs, m_deadlineMs > 0 ? m_deadlineMs : deadlineMs};
    downloader->Get_File(m_publisher.resolved(path).toString(), destination, limits);
}

void Announcer::textStep()
{
    switch (m_fetch.textStep(m_publisher.configured())) {
    case AnnouncementFetch::Action::DownloadText:
        download(TextPath, dataPath(DataFiles::StagedAnnouncement), TextCap, TextDeadlineMs, [this](bool ok) {
            // An empty answer (204, or 200 with no body) is no text: a
            // failed step, like a failed download, ends this run's fetch
            // with its one message.
            const bool gotText = ok && !readText(dataPath(DataFiles::StagedAnnouncement)).isEmpty();
            m_fetch.textDone(gotText);
            updateSteps();
            if (!gotText)
                endFetch(false);
        });
        break;
    case AnnouncementFetch::Action::Finish:
        updateSteps();
        Q_EMIT fetchFinished();
        return;
    case AnnouncementFetch::Action::Wait:
    case AnnouncementFetch::Action::DownloadMovie: break;
    }
    updateSteps();
}

void Announcer::compareStep()
{
    if (!m_fetch.compareDue())
        return;
    const QByteArray installed = readText(dataPath(DataFiles::Announcement));
    const QByteArray fetched = readText(dataPath(DataFiles::StagedAnnouncement));
    if (m_fetch.compareStep(installed, fetched) != AnnouncementFetch::Action::DownloadMovie) {
        updateSteps();
        Q_EMIT fetchFinished();
        return;
    }
    updateSteps();
    const QString staged = dataPath(DataFiles::StagedMovie);
    download(MoviePath, staged, MovieCap, MovieDeadlineMs, [this, staged](bool ok) {
        if (!ok) {
            movieDone(false);
            return;
        }
        // Unpacking a large movie to check it takes longer than the window
        // may wait: it is done on a thread of its own.
        auto *check = new SwfCheckJob(staged, this);
        connect(check, &SwfCheckJob::checked, this, [this, check, staged](SwfVerdict verdict) {
            check->deleteLater();
            movieDone(verdict == SwfVerdict::Movie && copyOver(staged, installedMovie()));
        });
        check->start();
    });
}

void Announcer::movieDone(bool installed)
{
    // The text is recorded only once the new movie is in place: a movie
    // that failed to come, or to be installed, is tried again by the next
    // run.
    if (installed)
        installed = copyOver(dataPath(DataFiles::StagedAnnouncement), dataPath(DataFiles::Announcement));
    m_fetch.movieDone();
    updateSteps();
    endFetch(installed);
}

void Announcer::endFetch(bool ok)
{
    if (!ok)
        Q_EMIT fetchFailed();
    Q_EMIT fetchFinished();
}

void Announcer::movieCheck()
{
    // Only this file is opened and closed again: it shows whether a movie
    // is installed. Anything but a plain file counts as none, and leaves
    // the banner under the hidden strip.
    QFile movie(installedMovie());
    const bool installed = openRegularFile(movie);
    movie.close();
    m_strip.setVisible(installed);
    if (installed)
        m_strip.setMovie(installedMovie());
}

QByteArray Announcer::readText(const QString &path)
{
    QFile file(path);
    if (!openRegularFile(file))
        return QByteArray();
    return file.read(TextCap);
}

bool Announcer::copyOver(const QString &from, const QString &to)
{
    QFile source(from);
    if (!openRegularFile(source))
        return false;
    SaveFile target(to);
    if (!clearForRegularFile(to) || !target.open())
        return false;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() || !target.write(chunk))
            return false; // the temporary goes with target
    }
    return target.commit();
}
