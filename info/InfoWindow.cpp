#include "info/InfoWindow.h"

#include "controls/WindowLook.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>

namespace {

QString withoutCrLf(const QString &crlfText)
{
    QString lines = crlfText;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines;
}

// Right-aligned, right-to-left paragraphs whatever their first letter.
QTextOption rightToLeftParagraphs()
{
    QTextOption option(Qt::AlignRight | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

int visualLines(QTextDocument &doc)
{
    doc.documentLayout()->documentSize(); // lays the text out
    int lines = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        lines += b.layout() ? b.layout()->lineCount() : 1;
    return qMax(lines, 1);
}

// Height of the letters of text, marks above and below included.
qreal inkHeight(const QFont &font, const QString &text)
{
    const QFontMetricsF fm(font);
    qreal top = 0;
    qreal bottom = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QRectF ink = fm.tightBoundingRect(line);
        top = qMin(top, ink.top());
        bottom = qMax(bottom, ink.bottom());
    }
    return bottom - top;
}

constexpr qreal kSmallestPoints = 6.0;

} // namespace

void setUpInfoWindow(QDialog &window, const QString &title, const QSize &client)
{
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(title);
    // How scripts and window-manager rules tell the program's windows apart.
    window.setWindowRole(QStringLiteral("murel-info"));
    window.setLayoutDirection(Qt::RightToLeft);
    window.setFont(windowFont());
    window.setFixedSize(client);
    window.setMouseTracking(true);
}

QPlainTextEdit *readOnlyText(QWidget *parent, const QString &crlfText, const QRect &geometry)
{
    auto *box = new QPlainTextEdit(parent);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->document()->setDefaultTextOption(rightToLeftParagraphs());
    box->setPlainText(withoutCrLf(crlfText));
    return box;
}

QTextEdit *wholeText(QWidget *parent, const QString &crlfText, const QRect &geometry)
{
    auto *box = new QTextEdit(parent);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setAcceptRichText(false);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QTextDocument &doc = *box->document();
    doc.setDefaultTextOption(rightToLeftParagraphs());
    const QString text = withoutCrLf(crlfText);
    box->setPlainText(text);
    // Little room above and below, a few pixels beside the frame.
    doc.setDocumentMargin(1);
    QTextFrameFormat margins = doc.rootFrame()->frameFormat();
    margins.setLeftMargin(4);
    margins.setRightMargin(4);
    doc.rootFrame()->setFrameFormat(margins);

    const int frame = box->frameWidth();
    doc.setTextWidth(geometry.width() - 2 * frame);
    const qreal room = geometry.height() - 2 * frame - 2 * doc.documentMargin();
    QFont font = box->font();
    for (;;) {
        doc.setDefaultFont(font);
        const int lines = visualLines(doc);
        const qreal natural = QFontMetricsF(font).lineSpacing();
        const qreal pitch = std::floor(room / lines);
        if (pitch >= natural)
            break;
        // A fixed line height puts the baseline four fifths down the line:
        // the marks above keep clear of the line before as long as the
        // letters' own height fits.
        if (pitch >= std::ceil(inkHeight(font, text)) || font.pointSizeF() - 0.5 < kSmallestPoints) {
            QTextCursor all(&doc);
            all.select(QTextCursor::Document);
            QTextBlockFormat closer;
            closer.setLineHeight(pitch, QTextBlockFormat::FixedHeight);
            all.mergeBlockFormat(closer);
            break;
        }
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    box->setFont(font);
    return box;
}
