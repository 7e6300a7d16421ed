#include "controls/CaptionedFrame.h"

#include <QFontMetricsF>
#include <QPainter>
#include <qdrawutil.h>

#include <cmath>

namespace {

// Gap between the frame's corner and the caption, and around the caption.
constexpr int kIndent = 12;
constexpr int kGap = 2;

} // namespace

CaptionedFrame::CaptionedFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{
}

// The caption's letters (marks included) start one pixel below the top of
// the frame's rectangle; the line goes through their middle.
static QRectF captionInk(const QFont &font, const QString &caption)
{
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(caption);
    return ink.isEmpty() ? QRectF(0, -QFontMetricsF(font).ascent(), 0, QFontMetricsF(font).height()) : ink;
}

int CaptionedFrame::topLine() const
{
    if (title().isEmpty())
        return 0;
    const QRectF ink = captionInk(font(), title());
    return int(std::lround(1.0 + ink.height() / 2.0));
}

QRect CaptionedFrame::captionRect() const
{
    if (title().isEmpty())
        return {};
    const QFontMetrics fm(font());
    const QRectF ink = captionInk(font(), title());
    const int width = fm.horizontalAdvance(title());
    // The text is drawn with its baseline where the ink begins one pixel down.
    const int baseline = int(std::ceil(1.0 - ink.top()));
    const int top = baseline - fm.ascent();
    const int x = layoutDirection() == Qt::RightToLeft ? rect().right() - kIndent - width : kIndent;
    return {x, top, width, fm.height()};
}

void CaptionedFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // An etched line drawn here: the styles' own group frames keep a
    // caption's height clear above themselves, which is what must not
    // happen.
    qDrawShadeRect(&p, rect().adjusted(0, topLine(), 0, 0), palette(), true, 1, 0);
    const QRect caption = captionRect();
    if (caption.isEmpty())
        return;
    // The line stops either side of the caption.
    const int lineBand = topLine();
    p.fillRect(QRect(caption.left() - kGap, lineBand - 2, caption.width() + 2 * kGap, 5), palette().window());
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    p.drawText(caption, Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine, title());
}
