// The publisher of the end-to-end test build: the local announcement server
// the script started, on whatever free port it took (MUREL_E2E_PUBLISHER).
// Only the test program is built with this file.
#include "core/fetch/Publisher.h"

#include <QByteArray>

Publisher Publisher::fromBuild()
{
    Publisher p;
    const QUrl url(QString::fromUtf8(qgetenv("MUREL_E2E_PUBLISHER")), QUrl::StrictMode);
    if (url.isValid() && url.scheme() == QLatin1String("http") && !url.host().isEmpty())
        p.base = url;
    return p;
}
