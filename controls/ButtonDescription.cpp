#include "controls/ButtonDescription.h"

#include "controls/ButtonBase.h"

PropertyStore ButtonDescription::properties() const
{
    // Each value against the default the buttons load it with, so that only
    // what differs is stored. The font always is: left out, a button would
    // take its window's, which need not be the shared one.
    PropertyStore store;
    store.write(QStringLiteral("BackColor"), backColor, OleColors::ButtonFace);
    store.write(QStringLiteral("ForeColor"), foreColor, OleColors::ButtonText);
    store.write(QStringLiteral("Font"), font, QVariant());
    store.write(QStringLiteral("Caption"), caption, ButtonBase::DefaultCaption);
    store.write(QStringLiteral("CaptionOffsetX"), captionOffsetX, 1);
    if (focusColor)
        store.write(QStringLiteral("FocusColor"), *focusColor, QVariant());
    store.write(QStringLiteral("LightColor"), lightColor, OleColor(0xFFFFFF));
    store.write(QStringLiteral("BackStyle"), int(backStyle), 0);
    return store;
}
