#include "app/Publisher.h"

#ifndef MUREL_PUBLISHER_URL
#define MUREL_PUBLISHER_URL ""
#endif

Publisher Publisher::fromBuild()
{
    const QString text = QStringLiteral(MUREL_PUBLISHER_URL).trimmed();
    Publisher p;
    if (text.isEmpty())
        return p;
    const QUrl url(text, QUrl::StrictMode);
    if (url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) && !url.host().isEmpty())
        p.base = url;
    return p;
}

QUrl Publisher::resolved(const QString &path) const
{
    if (!configured())
        return QUrl();
    QUrl url = base;
    QString basePath = url.path();
    while (basePath.endsWith(QLatin1Char('/')))
        basePath.chop(1);
    url.setPath(basePath + path);
    return url;
}
