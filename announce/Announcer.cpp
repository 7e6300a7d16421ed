#include "announce/Announcer.h"

#include "announce/MovieStrip.h"
#include "announce/SwfCheck.h"
#include "announce/clsDownload.h"
#include "app/Form2.h"
#include "app/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QSaveFile>
#include <QTimer>

Announcer::Announcer(Form2 &form2)
    : QObject(&form2)
    , m_form2(form2)
    , m_stallMs(clsDownload::DefaultStallMs)
{
}

Announcer::~Announcer() = default;

QString Announcer::dataPath(const QString &name) const
{
    return m_form2.dataFolder() + QLatin1Char('/') + name;
}

QString Announcer::installedMovie() const
{
    return dataPath(QStringLiteral("1.swf"));
}

void Announcer::connectionTick()
{
    // The fetch still to run is what the system's network service is
    // asked for; afterwards the answer only feeds the state label.
    const bool online = m_form2.platform().isConnected(m_form2.Timer3->isActive());
    m_form2.Label2->setText(online ? Online : Offline);
    QPalette pal = m_form2.Label2->palette();
    pal.setColor(QPalette::WindowText, m_form2.Label2->text() == Online ? QColor(0, 0, 255) : QColor(255, 0, 0));
    m_form2.Label2->setPalette(pal);
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
    downloader->Get_File(m_form2.publisher().resolved(path).toString(), destination, limits);
}

void Announcer::fetchStep1()
{
    // A message box of this step may be open: its own timer must not start
    // it again meanwhile.
    if (m_busy || m_form2.Label2->text() != Online)
        return;
    if (!m_form2.publisher().configured()) {
        // No announcement server: nothing to fetch, nothing to report.
        m_form2.Timer3->stop();
        Q_EMIT fetchFinished();
        return;
    }
    m_busy = true;
    download(TextPath, dataPath(QStringLiteral("wjk/text8.txt")), TextCap, TextDeadlineMs, [this](bool ok) {
        if (!ok)
            m_form2.messages().inform(&m_form2, ErrorMessage);
        m_form2.Timer4->start();
        m_form2.Timer3->stop();
        m_busy = false;
    });
}

void Announcer::fetchStep2()
{
    if (m_busy)
        return;
    m_busy = true;
    const QByteArray installed = readText(dataPath(QStringLiteral("text7.txt")));
    const QByteArray fetched = readText(dataPath(QStringLiteral("wjk/text8.txt")));
    m_form2.Text7->setText(QString::fromLocal8Bit(installed));
    m_form2.Text8->setText(QString::fromLocal8Bit(fetched));
    if (fetched == installed) {
        m_form2.Timer4->stop();
        m_busy = false;
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
            m_form2.messages().inform(&m_form2, ErrorMessage);
        m_form2.Timer4->stop();
        m_busy = false;
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
        m_form2.SF1->setVisible(false);
        return;
    }
    movie.close();
    m_form2.SF1->setVisible(true);
    m_form2.SF1->setMovie(installedMovie());
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
