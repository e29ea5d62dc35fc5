#pragma once

#include <QCursor>

// The map view's own cursors, drawn in code on 16 × 16 images; the hot spot
// of each is the point of the tool that acts on the cell.
class ToolCursors {
public:
    ToolCursors();

    const QCursor& Brush() const { return brush_; }
    const QCursor& Eraser() const { return eraser_; }
    const QCursor& PointingHand() const { return pointingHand_; }
    const QCursor& RaisedFinger() const { return raisedFinger_; }

private:
    QCursor brush_;
    QCursor eraser_;
    QCursor pointingHand_;
    QCursor raisedFinger_;
};
