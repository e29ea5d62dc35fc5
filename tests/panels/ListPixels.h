#pragma once

#include <QImage>
#include <QTreeView>

#include <cstdlib>

// A rendered owner-drawn list, sampled in the coordinates of its rows.
class ListPixels {
public:
    explicit ListPixels(QTreeView& list)
        : list_(list), image_(list.grab().toImage()), viewportAt_(list.viewport()->mapTo(&list, QPoint(0, 0)))
    {
    }

    const QImage& Image() const { return image_; }

    // The cell of (row, column) in the grabbed image.
    QRect Cell(int row, int column = 0) const
    {
        return list_.visualRect(list_.model()->index(row, column)).translated(viewportAt_);
    }
    QRect Row(int row) const { return Cell(row).united(Cell(row, list_.model()->columnCount() - 1)); }

    QColor At(QPoint p) const { return image_.pixelColor(p); }
    // A pixel `dx` from the cell's left edge, halfway down.
    QColor InCell(int row, int column, int dx) const
    {
        const QRect cell = Cell(row, column);
        return At(QPoint(cell.left() + dx, cell.center().y()));
    }

    // Pixels of `colour` in columns [fromDx, toDx) of the cell, measured
    // from its left edge.
    int Count(int row, int column, int fromDx, int toDx, const QColor& colour) const
    {
        return CountWhere(row, column, fromDx, toDx, [&](const QColor& c) { return c == colour; });
    }
    int Count(int row, int column, const QColor& colour) const
    {
        return Count(row, column, 0, Cell(row, column).width(), colour);
    }
    // Pixels of any other colour than `background` in columns [fromDx, toDx):
    // the ink of a text.
    int Ink(int row, int column, int fromDx, int toDx, const QColor& background) const
    {
        return CountWhere(row, column, fromDx, toDx, [&](const QColor& c) { return c != background; });
    }
    int Ink(int row, int column, const QColor& background) const
    {
        return Ink(row, column, 0, Cell(row, column).width(), background);
    }

    // The pixel of columns [fromDx, toDx) that stands out most from
    // `background`: the core of a glyph, which antialiasing leaves nearest to
    // the text colour.
    QColor Boldest(int row, int column, int fromDx, int toDx, const QColor& background) const
    {
        QColor boldest = background;
        CountWhere(row, column, fromDx, toDx, [&](const QColor& c) {
            if (Distance(c, background) > Distance(boldest, background))
                boldest = c;
            return false;
        });
        return boldest;
    }
    static int Distance(const QColor& a, const QColor& b)
    {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    }

private:
    template <typename Match>
    int CountWhere(int row, int column, int fromDx, int toDx, Match match) const
    {
        const QRect cell = Cell(row, column);
        int found = 0;
        for (int x = cell.left() + fromDx; x < cell.left() + toDx && x <= cell.right(); ++x) {
            for (int y = cell.top(); y <= cell.bottom(); ++y) {
                if (match(image_.pixelColor(x, y)))
                    ++found;
            }
        }
        return found;
    }

    QTreeView& list_;
    QImage image_;
    QPoint viewportAt_;
};
