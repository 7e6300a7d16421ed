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

bool fits(const QFont &font, const QString &text, const QSizeF &area)
{
    const QSizeF needed = laidOutSize(font, text, area.width());
    return needed.height() <= area.height() && needed.width() <= area.width();
}

double fittedPointSize(const QFont &font, const QString &text, const QSizeF &area)
{
    const double chosen = font.pointSizeF();
    QFont f = font;
    for (double size = chosen; size >= FloorPoints; size -= StepPoints) {
        f.setPointSizeF(size);
        if (fits(f, text, area))
            return size;
    }
    return std::min(chosen, FloorPoints);
}

} // namespace TextFit
