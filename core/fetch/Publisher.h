#pragma once

#include <QUrl>

// The publisher's web addresses, from the one build setting
// MUREL_PUBLISHER_URL (scheme and host). Empty when none is configured:
// then nothing is fetched and the links are shown disabled.
struct Publisher
{
    QUrl base;

    static Publisher fromBuild();
    bool configured() const { return base.isValid() && !base.isEmpty(); }
    QUrl homePage() const { return base; }
    QUrl advertisingPage() const { return resolved(QStringLiteral("/adv/adv.htm")); }
    QUrl resolved(const QString &path) const
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
};
