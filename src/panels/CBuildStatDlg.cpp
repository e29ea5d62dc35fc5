#include "panels/CBuildStatDlg.h"

#include "config/AppConfig.h"
#include "panels/BuildStatRows.h"
#include "panels/CColorListCtrl.h"
#include "panels/DialogUnits.h"
#include "scene/Scene.h"
#include "view/QtText.h"

#include <QHeaderView>
#include <QPushButton>

CBuildStatDlg::CBuildStatDlg(const SceneStatistics& stats, const AppConfig& config, QWidget* parent)
    : QDialog(parent), list_(new CColorListCtrl(this))
{
    setWindowTitle(tr("分类建筑信息"));
    setFixedSize(dialog_units::ToPixels(0, 0, 186, 244).size());

    auto* ok = new QPushButton(tr("确认"), this);
    ok->setDefault(true);
    dialog_units::Place(ok, 67, 223, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    dialog_units::Place(list_, 7, 7, 172, 205);
    list_->setHeaderLabels({tr("类别"), tr("数目"), tr("面积")});
    list_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->setColumnWidth(0, 150);
    list_->setColumnWidth(1, 50);
    list_->setColumnWidth(2, 50);

    for (const BuildStatRow& row : BuildStatRows::Make(stats, config.colorNames)) {
        list_->InsertRow(list_->topLevelItemCount(),
                         {Translated(row.label), QString::fromStdString(row.count), QString::fromStdString(row.area)},
                         row.colour);
    }
}

CBuildStatDlg::~CBuildStatDlg() = default;
