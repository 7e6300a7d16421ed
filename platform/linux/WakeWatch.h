#pragma once

#include <QDBusMessage>
#include <QObject>
#include <functional>

// Tells when the machine has just woken from sleep: logind's
// PrepareForSleep signal on the system bus, sent with true before the
// sleep and with false after it. Without a system bus or logind it never
// tells. Ends with its owner.
class WakeWatch final : public QObject
{
    Q_OBJECT
public:
    WakeWatch(QObject &owner, std::function<void()> woke);

private Q_SLOTS:
    void onPrepareForSleep(const QDBusMessage &signal);

private:
    std::function<void()> m_woke;
};
