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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::LayoutDirection m_paragraph;
};
