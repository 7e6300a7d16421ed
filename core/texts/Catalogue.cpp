#include "core/texts/Catalogue.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <chrono>

Catalogue::Catalogue()
{
    QFile file(QStringLiteral(":/murel/catalogue.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    m_entries = text.split(QLatin1Char('\n'));
    // The file ends with a line break; nothing follows the last entry.
    if (!m_entries.isEmpty() && m_entries.constLast().isEmpty())
        m_entries.removeLast();
}

std::optional<QString> Catalogue::lookUp(const QString &key) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (key == QString::number(i))
            return m_entries.at(i);
    }
    return std::nullopt;
}

int Catalogue::pick(quint64 seed)
{
    QRandomGenerator generator(quint32(seed) ^ quint32(seed >> 32));
    return int(generator.bounded(quint32(Size)));
}

quint64 Catalogue::seedFromClock()
{
    // The wall clock's milliseconds mixed with the monotonic nanoseconds, so
    // two screens within the same millisecond still differ.
    const auto fine = std::chrono::steady_clock::now().time_since_epoch().count();
    return quint64(QDateTime::currentMSecsSinceEpoch()) * 1000003u + quint64(fine);
}
