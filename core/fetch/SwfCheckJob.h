#pragma once

#include "core/fetch/SwfCheck.h"

#include <QObject>
#include <QString>

class QThread;

// Checks one movie file with checkSwf on a thread of its own: unpacking a
// large compressed movie takes a few hundred milliseconds, longer than the
// window may stop answering. checked() comes on the job's own thread, never
// before start() returns.
class SwfCheckJob : public QObject
{
    Q_OBJECT
public:
    explicit SwfCheckJob(const QString &path, QObject *parent = nullptr);
    // Waits for a check under way: it reads one bounded file and ends.
    ~SwfCheckJob() override;

    void start();

Q_SIGNALS:
    void checked(SwfVerdict verdict);

private:
    QThread *m_thread = nullptr;
    SwfVerdict m_verdict = SwfVerdict::NotAMovie;
};
