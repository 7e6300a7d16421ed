#include "reminder/CardFrame.h"

#include "controls/Shape.h"
#include "core/card/Twips.h"

Shape *addCardFrame(QWidget *card, int percent)
{
    auto *frame = new Shape(Shape::Kind::Rectangle, card);
    frame->setGeometry(scaledTwipsRect(120, 120, 3255, 2295, percent));
    frame->setBorderColor(0xFF8080);
    frame->setDecorative(true);
    return frame;
}
