#pragma once

#include "controls/OleColor.h"
#include "controls/PropertyStore.h"
#include "controls/WindowLook.h"

#include <QFont>
#include <QString>

#include <optional>

// How a window sets up one of its painted buttons, field by field instead of
// by property name. What a window leaves out is the look its buttons share:
// the platform's button colours, the windows' 8.25 pt font and, on
// TavrelButton, the caption flush with the left edge. A button ignores the
// fields it has no property for. Every field has an initializer, so a window
// can name only the few it changes: {.caption = ..., .foreColor = ...}.
struct ButtonDescription
{
    enum class BackStyle {
        Shaded = 0,
        Flat = 1
    };

    QString caption = {};
    OleColor backColor = OleColors::ButtonFace;
    OleColor foreColor = OleColors::ButtonText;
    QFont font = windowFont();
    // None: the button's own (blue on TavrelButton; on TavrelButtonV2 the
    // colour it keeps until its background is set through its property).
    std::optional<OleColor> focusColor = std::nullopt;
    // TavrelButton only.
    int captionOffsetX = 0;
    // TavrelButtonV2 only: the caption's halo, and a flat face instead of
    // the shaded one.
    OleColor lightColor = 0xFFFFFF;
    BackStyle backStyle = BackStyle::Shaded;

    // The saved properties of a button so described: loading them is the
    // one way a description reaches a button, so a described button is in
    // the very state a saved one would be.
    PropertyStore properties() const;
};
