#include "view/ToolCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>

#include <functional>

namespace {

constexpr int kSide = 16;

QCursor Drawn(const std::function<void(QPainter&)>& draw, int hotX, int hotY)
{
    QPixmap image(kSide, kSide);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    draw(painter);
    painter.end();
    return QCursor(image, hotX, hotY);
}

// A brush held from the top right, its bristles ending in the bottom-left corner.
void DrawBrush(QPainter& p)
{
    p.setBrush(QColor(160, 100, 40));
    p.drawPolygon(QPolygon({QPoint(13, 0), QPoint(15, 2), QPoint(8, 9), QPoint(6, 7)}));
    p.setBrush(QColor(0, 160, 0));
    p.drawPolygon(QPolygon({QPoint(6, 7), QPoint(8, 9), QPoint(4, 13), QPoint(0, 15), QPoint(2, 11)}));
}

// A tilted eraser block whose lower-left corner rubs the cell.
void DrawEraser(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({QPoint(7, 1), QPoint(14, 7), QPoint(7, 14), QPoint(0, 14), QPoint(0, 8)}));
    p.setBrush(QColor(230, 120, 140));
    p.drawPolygon(QPolygon({QPoint(4, 5), QPoint(10, 11), QPoint(7, 14), QPoint(0, 14), QPoint(0, 8)}));
}

// A hand from above, its index finger pointing down at (5, 12).
void DrawPointingHand(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRect(2, 0, 11, 7), 2, 2);
    p.drawRect(QRect(4, 6, 2, 6));
}

// A hand from below, its index finger raised to (12, 1).
void DrawRaisedFinger(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRect(5, 8, 10, 7), 2, 2);
    p.drawRect(QRect(11, 1, 2, 8));
}

}  // namespace

ToolCursors::ToolCursors()
    : brush_(Drawn(DrawBrush, 0, 15)), eraser_(Drawn(DrawEraser, 0, 14)),
      pointingHand_(Drawn(DrawPointingHand, 5, 12)), raisedFinger_(Drawn(DrawRaisedFinger, 12, 1))
{
}
