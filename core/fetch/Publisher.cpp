#include "core/fetch/Publisher.h"

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
    if (url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        && !url.host().isEmpty())
        p.base = url;
    return p;
}
