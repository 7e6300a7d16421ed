#include "reminder/CardFrame.h"

#include "controls/Shape.h"
#include "core/card/Twips.h"

Shape *addCardFrame(QWidget *card)
{
    auto *frame = new Shape(Shape::Kind::Rectangle, card);
    frame->setGeometry(twipsRect(120, 120, 3255, 2295));
    frame->setBorderColor(0xFF8080);
    frame->setDecorative(true);
    return frame;
}
