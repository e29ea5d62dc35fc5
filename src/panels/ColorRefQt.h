#pragma once

#include "view/QtColor.h"

#include <QPalette>

// Colours of the panels' own drawing in Qt terms.

// The 3-D edges of the owner-drawn controls: white light, dark-shadow dark,
// as qDrawShadePanel() reads them.
inline QPalette EdgeColours(const QPalette& base)
{
    QPalette edges(base);
    edges.setColor(QPalette::Light, Qt::white);
    edges.setColor(QPalette::Dark, base.color(QPalette::Shadow));
    return edges;
}
