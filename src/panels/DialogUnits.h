#pragma once

#include <QRect>

class QWidget;

// The panels keep the positions of their dialog templates, given in dialog
// units of the 8-point dialog font: 1 horizontal unit is 1.5 px, 1 vertical
// unit 1.625 px (so the map view's 367 × 338 units are 550 × 550 px).
namespace dialog_units {

QRect ToPixels(int x, int y, int width, int height);
// Moves and sizes the widget to the rectangle given in dialog units.
void Place(QWidget* widget, int x, int y, int width, int height);

}  // namespace dialog_units
