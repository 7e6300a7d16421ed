#include "platform/linux/WakeWatch.h"

#include <QDBusConnection>

namespace {

// Whether a PrepareForSleep signal says the sleep is over.
bool isWake(const QDBusMessage &signal)
{
    const QList<QVariant> args = signal.arguments();
    return !args.isEmpty() && args.constFirst().typeId() == QMetaType::Bool && !args.constFirst().toBool();
}

} // namespace

WakeWatch::WakeWatch(QObject &owner, std::function<void()> woke)
    : QObject(&owner)
    , m_woke(std::move(woke))
{
    // Only a match on the bus: logind is not started for it, and one that
    // comes later is heard all the same.
    QDBusConnection system = QDBusConnection::systemBus();
    if (!system.isConnected())
        return;
    system.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                   QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                   SLOT(onPrepareForSleep(QDBusMessage)));
}

void WakeWatch::onPrepareForSleep(const QDBusMessage &signal)
{
    if (isWake(signal))
        m_woke();
}
