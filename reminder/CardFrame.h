#pragma once

class QWidget;
class Shape;

// The rose rectangle the first background draws inside a card's face, at
// its place on card (the card's face, or a picture of it from its top-left
// corner), on a card at percent of the normal size. It is drawing only:
// screen readers pass over it.
Shape *addCardFrame(QWidget *card, int percent = 100);
