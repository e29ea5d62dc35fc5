#pragma once

#include "panels/PaletteGrid.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QTest>
#include <QWidget>

// Pointer moves over an open palette for the window tests. Moves go to the
// palette itself: QTest::mouseMove moves the cursor, and the offscreen
// platform hands such a move to whichever window it finds first there.
namespace palette_pointer {

// The middle of a cell, from the palette's outer top-left.
inline QPoint CellCentre(int column, int row)
{
    return QPoint(column * PaletteGrid::kCellSize + 5, row * PaletteGrid::kCellSize + 5);
}

inline void Hover(QWidget* palette, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, palette->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::instance()->notify(palette, &move);
}

inline void Choose(QWidget* palette, QPoint at)
{
    Hover(palette, at);
    QTest::mouseClick(palette, Qt::LeftButton, {}, at);
}

}  // namespace palette_pointer
