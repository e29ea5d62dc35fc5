#pragma once

#include "msg/MsgTypes.h"
#include "view/QtColor.h"

#include <QColor>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <functional>

// Paints the rows of the owner-drawn lists: each cell filled with the row's
// background, a square lead cell (as wide as the row is high) at the row's
// left edge, and every column's text one line high, vertically centred and
// shifted right past the lead cell. The lists differ only in their
// unselected colours and in what the lead cell shows.
class ListRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    struct Colours {
        QColor text;
        QColor background;
    };
    using ColourPicker = std::function<Colours(const QModelIndex& index, const QPalette& palette)>;
    // Paints the lead cell; `colours` are those the row is drawn in.
    using LeadCellPainter = std::function<void(QPainter& painter, const QRect& cell, const QModelIndex& index,
                                               const Colours& colours)>;

    // Columns from this one on get their background but no text.
    static constexpr int kMaxTextColumns = 10;
    // Gap between the lead cell and a column's text.
    static constexpr int kTextGap = 5;

    // With `selectionNeedsFocus` a selected row shows the highlight only while
    // the list has the keyboard focus.
    ListRowDelegate(bool selectionNeedsFocus, ColourPicker unselectedColours, LeadCellPainter leadCell,
                    QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Makes `list` a single-selection report list drawn by a new delegate of
    // these arguments: no tree decoration, uniform rows, no in-place editing,
    // columns as wide as their users make them.
    static void InstallOn(QTreeView& list, bool selectionNeedsFocus, ColourPicker unselectedColours,
                          LeadCellPainter leadCell);

    // One line, vertically centred, '&' shown as it stands; `flags` adds the
    // horizontal alignment and any further text flags.
    static void DrawLine(QPainter& painter, const QRect& rect, const QString& text, int flags);

private:
    Colours RowColours(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    bool selectionNeedsFocus_;
    ColourPicker unselectedColours_;
    LeadCellPainter leadCell_;
};
