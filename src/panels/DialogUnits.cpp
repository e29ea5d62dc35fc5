#include "panels/DialogUnits.h"

#include <QWidget>

namespace dialog_units {

namespace {

// Rounded to the nearest pixel, as the dialog manager maps units.
int Horizontal(int units)
{
    return (units * 3 + (units >= 0 ? 1 : -1)) / 2;
}

int Vertical(int units)
{
    return (units * 13 + (units >= 0 ? 4 : -4)) / 8;
}

}  // namespace

QRect ToPixels(int x, int y, int width, int height)
{
    const int left = Horizontal(x);
    const int top = Vertical(y);
    return QRect(left, top, Horizontal(x + width) - left, Vertical(y + height) - top);
}

void Place(QWidget* widget, int x, int y, int width, int height)
{
    widget->setGeometry(ToPixels(x, y, width, height));
}

}  // namespace dialog_units
