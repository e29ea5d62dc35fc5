#include "panels/CColorListCtrl.h"

#include "panels/ListRowColours.h"
#include "panels/ListRowDelegate.h"

#include <QPainter>

#include <algorithm>

namespace {

ListRowDelegate::Colours AlternatingColours(const QModelIndex& index, const QPalette&)
{
    if (index.row() % 2 == 0)
        return {ToQColor(list_rows::kWarmText), ToQColor(list_rows::kWarmBackground)};
    return {ToQColor(list_rows::kBlueText), ToQColor(list_rows::kGreyBackground)};
}

void PaintSwatch(QPainter& painter, const QRect& cell, const QModelIndex& index, const ListRowDelegate::Colours&)
{
    const ColorRef colour = index.siblingAtColumn(0).data(Qt::UserRole).toUInt();
    painter.fillRect(cell, ToQColor(colour));
}

}  // namespace

CColorListCtrl::CColorListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    ListRowDelegate::InstallOn(*this, false, AlternatingColours, PaintSwatch);
}

CColorListCtrl::~CColorListCtrl() = default;

QTreeWidgetItem* CColorListCtrl::InsertRow(int position, const QStringList& texts, ColorRef colour)
{
    auto* item = new QTreeWidgetItem(texts);
    SetRowColour(item, colour);
    insertTopLevelItem(std::clamp(position, 0, topLevelItemCount()), item);
    return item;
}

void CColorListCtrl::SetRowColour(QTreeWidgetItem* item, ColorRef colour)
{
    item->setData(0, Qt::UserRole, QVariant::fromValue<uint>(colour));
}

ColorRef CColorListCtrl::RowColour(const QTreeWidgetItem* item)
{
    return item->data(0, Qt::UserRole).toUInt();
}
