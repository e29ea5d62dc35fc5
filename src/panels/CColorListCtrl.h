#pragma once

#include "msg/MsgTypes.h"

#include <QStringList>
#include <QTreeWidget>

// A report list that draws its rows itself: a swatch of the row's colour at
// the left edge, as wide as the row is high, then the column texts, on the
// row colours of list_rows (even and odd rows differ). Used for the colour
// names and for the building categories.
class CColorListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    explicit CColorListCtrl(QWidget* parent = nullptr);
    ~CColorListCtrl() override;

    // Inserts a row at `position` (0 = top) with one text per column.
    QTreeWidgetItem* InsertRow(int position, const QStringList& texts, ColorRef colour);
    static void SetRowColour(QTreeWidgetItem* item, ColorRef colour);
    static ColorRef RowColour(const QTreeWidgetItem* item);
};
