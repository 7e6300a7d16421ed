#include "core/hold/FullScreenRule.h"

QRect fullScreenArea(const ActiveWindowFacts &window, const QList<QRect> &monitors)
{
    // The desktop's background covers its monitor without a frame, and so
    // may a panel on a small screen: neither is someone's film or slides.
    if (window.desktopOrDock || window.geometry.isEmpty())
        return QRect();
    QRect best;
    qint64 bestShare = 0;
    for (const QRect &monitor : monitors) {
        const QRect shared = monitor & window.geometry;
        const qint64 share = qint64(shared.width()) * shared.height();
        if (window.fullScreenState) {
            // Full screen by its state: on the monitor it mostly covers.
            if (share > bestShare) {
                best = monitor;
                bestShare = share;
            }
        } else if (!window.framed && window.geometry.contains(monitor)) {
            return monitor;
        }
    }
    return best;
}
