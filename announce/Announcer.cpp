#include "announce/Announcer.h"

#include "core/RegularFile.h"
#include "core/SwfCheck.h"
#include "core/clsDownload.h"
#include "platform/Platform.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QSaveFile>

Announcer::Announcer(Platform &platform, const QString &dataFolder, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_dataFolder(dataFolder)
    , m_stallMs(clsDownload::DefaultStallMs)
{
}

Announcer::~Announcer() = default;

QString Announcer::dataPath(const QString &name) const
{
    return m_dataFolder + QLatin1Char('/') + name;
}

QString Announcer::installedMovie() const
{
    return dataPath(QStringLiteral("1.swf"));
}

void Announcer::reportSteps()
{
    using Step = AnnouncementFetch::Step;
    Q_EMIT stepsChanged(m_fetch.step() == Step::Text, m_fetch.step() == Step::Compare);
}

void Announcer::arm()
{
    m_fetch.arm();
    reportSteps();
}

void Announcer::connectionTick()
{
    // The fetch still to run is what the system's network service is
    // asked for; afterwards the answer only feeds the state label.
    const bool online = m_platform.isConnected(m_fetch.wantsService());
    if (m_fetch.setOnline(online))
        Q_EMIT connectionChanged(online);
}

void Announcer::download(const QString &path, const QString &destination, qint64 cap, int deadlineMs,
                         std::function<void(bool)> done)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    auto *downloader = new clsDownload(*m_network, this);
    connect(downloader, &clsDownload::finished, this, [downloader, done](bool ok) {
        downloader->deleteLater();
        done(ok);
    });
    const clsDownload::Limits limits{cap, m_stallMs, m_deadlineMs > 0 ? m_deadlineMs : deadlineMs};
    downloader->Get_File(m_publisher.resolved(path).toString(), destination, limits);
}

void Announcer::fetchStep1()
{
    switch (m_fetch.textStep(m_publisher.configured())) {
    case AnnouncementFetch::Action::DownloadText:
        download(TextPath, dataPath(QStringLiteral("wjk/text8.txt")), TextCap, TextDeadlineMs, [this](bool ok) {
            if (!ok)
                Q_EMIT fetchFailed();
            m_fetch.textDone();
            reportSteps();
        });
        return;
    case AnnouncementFetch::Action::Finish:
        reportSteps();
        Q_EMIT fetchFinished();
        return;
    case AnnouncementFetch::Action::Wait:
    case AnnouncementFetch::Action::DownloadMovie: return;
    }
}

void Announcer::fetchStep2()
{
    if (!m_fetch.compareDue())
        return;
    const QByteArray installed = readText(dataPath(QStringLiteral("text7.txt")));
    const QByteArray fetched = readText(dataPath(QStringLiteral("wjk/text8.txt")));
    Q_EMIT textsCompared(QString::fromLocal8Bit(installed), QString::fromLocal8Bit(fetched));
    if (m_fetch.compareStep(installed, fetched) != AnnouncementFetch::Action::DownloadMovie) {
        reportSteps();
        Q_EMIT fetchFinished();
        return;
    }
    const QString staged = dataPath(QStringLiteral("wjk/1.swf"));
    download(MoviePath, staged, MovieCap, MovieDeadlineMs, [this, staged](bool ok) {
        // The text is recorded only once the new movie is in place: a
        // movie that failed to come, or to be installed, is tried again by
        // the next run.
        if (ok && installMovie(staged))
            copyOver(dataPath(QStringLiteral("wjk/text8.txt")), dataPath(QStringLiteral("text7.txt")));
        else
            Q_EMIT fetchFailed();
        m_fetch.movieDone();
        reportSteps();
        Q_EMIT fetchFinished();
    });
}

bool Announcer::installMovie(const QString &staged)
{
    // A cut-off or foreign file, or one that would unpack beyond what the
    // player is given, is a failed download.
    QFile file(staged);
    if (!openRegularFile(file) || checkSwf(file.read(SwfHeaderBytes), file.size()) != SwfVerdict::Movie)
        return false;
    file.close();
    return copyOver(staged, installedMovie());
}

void Announcer::movieCheck()
{
    // Only this file is opened and closed again: it shows whether a movie
    // is installed. Anything but a plain file counts as none.
    QFile movie(installedMovie());
    if (!openRegularFile(movie)) {
        Q_EMIT movieChecked(QString());
        return;
    }
    movie.close();
    Q_EMIT movieChecked(installedMovie());
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
    QSaveFile target(to);
    if (!clearForRegularFile(to) || !target.open(QIODevice::WriteOnly))
        return false;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
    }
    return target.commit();
}
