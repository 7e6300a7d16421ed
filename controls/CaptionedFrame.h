#pragma once

#include <QGroupBox>

// A group box with its caption set into the top line of the frame, near
// the reading-side corner, as the dialogs were laid out: the line runs
// through the middle of the caption's letters, so what the frame holds can
// start just below it without a line crossing it.
class CaptionedFrame : public QGroupBox
{
    Q_OBJECT
public:
    CaptionedFrame(const QString &caption, QWidget *parent = nullptr);

    // Where the frame's top line runs, and the caption's box, in the frame's
    // own pixels.
    int topLine() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
