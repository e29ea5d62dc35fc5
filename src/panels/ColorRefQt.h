#pragma once

#include "msg/MsgTypes.h"

#include <QColor>
#include <QPalette>

// Colours of the panels' own drawing in Qt terms.

// Colour references (0x00BBGGRR) to and from what Qt paints with.
inline QColor ToQColor(ColorRef colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

inline ColorRef ToColorRef(const QColor& colour)
{
    return MakeColorRef(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                        static_cast<std::uint8_t>(colour.blue()));
}

// The 3-D edges of the owner-drawn controls: white light, dark-shadow dark,
// as qDrawShadePanel() reads them.
inline QPalette EdgeColours(const QPalette& base)
{
    QPalette edges(base);
    edges.setColor(QPalette::Light, Qt::white);
    edges.setColor(QPalette::Dark, base.color(QPalette::Shadow));
    return edges;
}
