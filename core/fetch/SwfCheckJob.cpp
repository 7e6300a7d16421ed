#include "core/fetch/SwfCheckJob.h"

#include "core/settings/RegularFile.h"

#include <QFile>
#include <QThread>

SwfCheckJob::SwfCheckJob(const QString &path, QObject *parent)
    : QObject(parent)
{
    // The thread writes the verdict once; it is read only after finished.
    m_thread = QThread::create([this, path] {
        QFile file(path);
        m_verdict = openRegularFile(file) ? checkSwf(file) : SwfVerdict::NotAMovie;
    });
    connect(m_thread, &QThread::finished, this, [this] { Q_EMIT checked(m_verdict); });
}

SwfCheckJob::~SwfCheckJob()
{
    m_thread->disconnect(this);
    m_thread->wait();
    delete m_thread;
}

void SwfCheckJob::start()
{
    m_thread->start();
}
