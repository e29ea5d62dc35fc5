#include "panels/ListRowDelegate.h"

#include <QHeaderView>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <utility>

ListRowDelegate::ListRowDelegate(bool selectionNeedsFocus, ColourPicker unselectedColours,
                                 LeadCellPainter leadCell, QObject* parent)
    : QStyledItemDelegate(parent),
      selectionNeedsFocus_(selectionNeedsFocus),
      unselectedColours_(std::move(unselectedColours)),
      leadCell_(std::move(leadCell))
{
}

void ListRowDelegate::InstallOn(QTreeView& list, bool selectionNeedsFocus, ColourPicker unselectedColours,
                                LeadCellPainter leadCell)
{
    list.setRootIsDecorated(false);
    list.setItemsExpandable(false);
    list.setIndentation(0);
    list.setUniformRowHeights(true);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    // allColumnsShowFocus stays off: the view would tint the current row with its own focus frame.
    list.header()->setStretchLastSection(false);
    list.setItemDelegate(
        new ListRowDelegate(selectionNeedsFocus, std::move(unselectedColours), std::move(leadCell), &list));
}

void ListRowDelegate::DrawLine(QPainter& painter, const QRect& rect, const QString& text, int flags)
{
    if (rect.width() <= 0)
        return;
    painter.drawText(rect, flags | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

ListRowDelegate::Colours ListRowDelegate::RowColours(const QStyleOptionViewItem& option,
                                                     const QModelIndex& index) const
{
    const bool focused = option.widget != nullptr && option.widget->hasFocus();
    if ((option.state & QStyle::State_Selected) && (focused || !selectionNeedsFocus_)) {
        // The active group: an unfocused list keeps the same highlight.
        return {option.palette.color(QPalette::Active, QPalette::HighlightedText),
                option.palette.color(QPalette::Active, QPalette::Highlight)};
    }
    return unselectedColours_(index, option.palette);
}

void ListRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const Colours colours = RowColours(option, index);
    const QRect cell = option.rect;
    const int rowHeight = cell.height();

    painter->save();
    painter->setClipRect(cell);
    painter->fillRect(cell, colours.background);
    if (index.column() == 0 && leadCell_)
        leadCell_(*painter, QRect(cell.left(), cell.top(), rowHeight, rowHeight), index, colours);
    if (index.column() < kMaxTextColumns) {
        painter->setFont(option.font);
        painter->setPen(colours.text);
        // Only the first column holds the lead cell; shifting the others by a
        // row height too left a 50-px number column about 25 px of text.
        const int indent = index.column() == 0 ? rowHeight + kTextGap : kTextGap;
        const QRect textRect = cell.adjusted(indent, 0, -1, 0);
        // Clipping alone could cut "1250" to a plausible "125"; the ellipsis shows the cut.
        const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                                           std::max(textRect.width(), 0));
        DrawLine(*painter, textRect, text, Qt::AlignLeft);
    }
    painter->restore();
}

QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Fixed row height: one line of the list's font.
    const int rowHeight = option.fontMetrics.height() + 4;
    const int textWidth = option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    return QSize(rowHeight + kTextGap + textWidth + 1, rowHeight);
}
