#pragma once

#include <QLabel>

// A plain-text label whose paragraph direction is fixed rather than guessed
// from the first letter: several captions end in punctuation that must stay
// beside the field they name.
class Label : public QLabel
{
    Q_OBJECT
public:
    Label(const QString &text, Qt::LayoutDirection paragraph, QWidget *parent = nullptr);

    Qt::LayoutDirection paragraphDirection() const { return m_paragraph; }

    // A caption as it is spoken: without the colon at either end and the
    // blanks that placed it.
    static QString captionWords(const QString &caption);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::LayoutDirection m_paragraph;
};

// A label placed on its window: text, position, alignment and paragraph
// direction in one call, as the windows lay theirs out.
Label *placeLabel(QWidget *parent, const QString &text, const QRect &geometry,
                  Qt::Alignment alignment = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter,
                  Qt::LayoutDirection paragraph = Qt::RightToLeft);
