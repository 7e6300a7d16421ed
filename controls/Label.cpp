#include "controls/Label.h"

#include <QPainter>
#include <QTextOption>

Label::Label(const QString &text, Qt::LayoutDirection paragraph, QWidget *parent)
    : QLabel(text, parent)
    , m_paragraph(paragraph)
{
    setTextFormat(Qt::PlainText);
    // A screen reader would say the colon first (the captions keep it at
    // the box's end): the name is the caption's words alone.
    const QString words = captionWords(text);
    if (words != text)
        setAccessibleName(words);
}

QString Label::captionWords(const QString &caption)
{
    QString words = caption.trimmed();
    while (words.startsWith(QLatin1Char(':')) || words.endsWith(QLatin1Char(':'))) {
        words = words.startsWith(QLatin1Char(':')) ? words.mid(1) : words.chopped(1);
        words = words.trimmed();
    }
    return words.simplified();
}

void Label::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    p.setFont(font());
    QTextOption option(alignment());
    option.setTextDirection(m_paragraph);
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    p.drawText(QRectF(contentsRect()), text(), option);
}

Label *placeLabel(QWidget *parent, const QString &text, const QRect &geometry, Qt::Alignment alignment,
                  Qt::LayoutDirection paragraph)
{
    auto *l = new Label(text, paragraph, parent);
    l->setGeometry(geometry);
    l->setAlignment(alignment);
    return l;
}
