#include "reminder/TextFit.h"

#include <QFontMetricsF>

#include <algorithm>

namespace TextFit {

QSizeF laidOutSize(const QFont &font, const QString &text, qreal width)
{
    const QFontMetricsF metrics(font);
    return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap, text)
        .size();
}

double fittedPointSize(const QFont &font, const QString &text, const QSizeF &area)
{
    const double chosen = font.pointSizeF();
    QFont f = font;
    for (double size = chosen; size >= FloorPoints; size -= StepPoints) {
        f.setPointSizeF(size);
        const QSizeF needed = laidOutSize(f, text, area.width());
        if (needed.height() <= area.height() && needed.width() <= area.width())
            return size;
    }
    return std::min(chosen, FloorPoints);
}

} // namespace TextFit
