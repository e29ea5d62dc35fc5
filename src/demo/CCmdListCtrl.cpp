#include "demo/CCmdListCtrl.h"

#include "panels/ListRowColours.h"
#include "panels/ListRowDelegate.h"

#include <QPainter>

namespace {

ListRowDelegate::Colours StandingColours(const QModelIndex& index, const QPalette& palette)
{
    const int standing = index.siblingAtColumn(0).data(Qt::UserRole).toInt();
    const QColor grey = ToQColor(list_rows::kGreyBackground);
    if (standing >= 1)
        return {ToQColor(list_rows::kWarmText), ToQColor(list_rows::kWarmBackground)};
    if (standing == 0)
        return {ToQColor(list_rows::kLatestText), grey};
    return {palette.color(QPalette::Disabled, QPalette::Text), grey};
}

void PaintIndex(QPainter& painter, const QRect& cell, const QModelIndex& index, const ListRowDelegate::Colours&)
{
    // Long indices may spill past the square rather than lose digits.
    ListRowDelegate::DrawLine(painter, cell, QString::number(index.row()), Qt::AlignHCenter | Qt::TextDontClip);
}

}  // namespace

CCmdListCtrl::CCmdListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    ListRowDelegate::InstallOn(*this, true, StandingColours, PaintIndex);
}

CCmdListCtrl::~CCmdListCtrl() = default;

QTreeWidgetItem* CCmdListCtrl::AppendRow(const QString& text, int itemData)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, Qt::UserRole, itemData);
    addTopLevelItem(item);
    return item;
}

int CCmdListCtrl::RowData(const QTreeWidgetItem* item)
{
    return item->data(0, Qt::UserRole).toInt();
}
