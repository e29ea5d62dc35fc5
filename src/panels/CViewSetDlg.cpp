#include "panels/CViewSetDlg.h"

#include "config/AppConfig.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "panels/CColorListCtrl.h"
#include "panels/CColorPaletteButton.h"
#include "panels/ColourNameList.h"
#include "panels/DialogUnits.h"
#include "view/QtText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <type_traits>

namespace {

template <class Control>
Control* Placed(Control* control, int x, int y, int width, int height)
{
    dialog_units::Place(control, x, y, width, height);
    // A box 8 units high would cut its own tick mark with our font.
    if constexpr (std::is_base_of_v<QAbstractButton, Control> && !std::is_base_of_v<QPushButton, Control>)
        control->resize(control->width(), std::max(control->height(), control->minimumSizeHint().height()));
    return control;
}

}  // namespace

CViewSetDlg::CViewSetDlg(MsgCenter& center, AppConfig& config, QWidget* parent)
    : QWidget(parent), center_(center), config_(config)
{
    // Boxes first, so that the controls placed over them stay on top.
    Placed(new QGroupBox(tr("缩放"), this), 4, 21, 143, 27);
    Placed(new QGroupBox(tr("网格显示"), this), 4, 52, 143, 43);
    Placed(new QGroupBox(tr("建筑"), this), 4, 99, 143, 93);
    Placed(new QGroupBox(tr("颜色名字"), this), 4, 196, 143, 110);

    auto* title = Placed(new QLabel(tr("QuarrinLayvane 显示选项"), this), 8, 5, 115, 9);
    title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* line = Placed(new QFrame(this), 4, 16, 120, 1);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    keepCenter_ = Placed(new QCheckBox(tr("缩放时保持中心位置不变"), this), 16, 33, 109, 9);

    gridAlways_ = Placed(new QRadioButton(tr("始终"), this), 23, 63, 70, 9);
    gridNever_ = Placed(new QRadioButton(tr("从不"), this), 23, 70, 68, 15);
    gridAuto_ = Placed(new QRadioButton(tr("自动"), this), 23, 82, 70, 9);

    Placed(new QLabel(tr("默认房屋颜色:"), this), 18, 112, 51, 9);
    houseColor_ = Placed(new CColorPaletteButton(config_, false, this), 77, 110, 13, 12);
    Placed(new QLabel(tr("默认工厂颜色:"), this), 18, 126, 51, 9);
    factoryColor_ = Placed(new CColorPaletteButton(config_, false, this), 77, 124, 13, 12);
    Placed(new QLabel(tr("默认其它颜色:"), this), 18, 139, 51, 9);
    otherColor_ = Placed(new CColorPaletteButton(config_, false, this), 77, 138, 13, 12);

    hideGrid_ = Placed(new QCheckBox(tr("建筑区域内不显示网格"), this), 17, 155, 102, 10);
    hideFrame_ = Placed(new QCheckBox(tr("不显示建筑边框"), this), 17, 166, 102, 10);
    hideName_ = Placed(new QCheckBox(tr("不显示建筑物名字"), this), 17, 178, 84, 8);

    nameList_ = Placed(new CColorListCtrl(this), 8, 210, 73, 90);
    nameColor_ = Placed(new CColorPaletteButton(config_, false, this), 85, 211, 56, 25);
    nameColor_->setText(QStringLiteral("L"));
    nameEdit_ = Placed(new QLineEdit(this), 85, 241, 56, 14);
    storeName_ = Placed(new QPushButton(tr("添加&&修改"), this), 85, 261, 57, 16);
    deleteName_ = Placed(new QPushButton(tr("删除"), this), 85, 283, 57, 16);

    okButton_ = Placed(new QPushButton(tr("确定"), this), 52, 312, 44, 16);

    keepCenter_->setChecked(config_.zoomKeepCenter);
    (config_.gridAuto ? gridAuto_ : config_.gridShow ? gridAlways_ : gridNever_)->setChecked(true);
    hideGrid_->setChecked(config_.hideBuildGrid);
    hideFrame_->setChecked(config_.hideBuildFrame);
    hideName_->setChecked(config_.hideBuildName);
    houseColor_->SetColor(config_.houseColor);
    factoryColor_->SetColor(config_.factoryColor);
    otherColor_->SetColor(config_.otherBuildColor);

    nameList_->setColumnCount(1);
    nameList_->setHeaderLabels({QStringLiteral("color")});
    nameList_->headerItem()->setTextAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
    nameList_->setHeaderHidden(true);
    nameList_->setColumnWidth(0, 90);
    nameList_->setSelectionMode(QAbstractItemView::SingleSelection);
    nameList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FillNameList();

    connect(nameList_, &QTreeWidget::itemSelectionChanged, this, &CViewSetDlg::ShowSelectedName);
    connect(storeName_, &QPushButton::clicked, this, &CViewSetDlg::StoreName);
    connect(deleteName_, &QPushButton::clicked, this, &CViewSetDlg::DeleteName);
    connect(okButton_, &QPushButton::clicked, this, &CViewSetDlg::Apply);
}

void CViewSetDlg::Apply()
{
    config_.zoomKeepCenter = keepCenter_->isChecked();
    config_.gridAuto = gridAuto_->isChecked();
    config_.gridShow = gridAlways_->isChecked();
    config_.hideBuildGrid = hideGrid_->isChecked();
    config_.hideBuildFrame = hideFrame_->isChecked();
    config_.hideBuildName = hideName_->isChecked();
    config_.houseColor = houseColor_->Color();
    config_.factoryColor = factoryColor_->Color();
    config_.otherBuildColor = otherColor_->Color();
    // The map view shows the new settings at once, not only when it next repaints by itself.
    center_.Send(UpdateGridView_Msg{false});
    center_.Send(ChangePanel_Msg{"main"});
}

void CViewSetDlg::StoreName()
{
    if (ColourNameList(config_.colorNames).Store(nameColor_->Color(), ToModelText(nameEdit_->text())))
        FillNameList();
}

void CViewSetDlg::DeleteName()
{
    if (ColourNameList(config_.colorNames).Remove(nameColor_->Color()))
        FillNameList();
}

void CViewSetDlg::closeEvent(QCloseEvent* event)
{
    // A panel leaves only through "确定".
    event->ignore();
}

void CViewSetDlg::FillNameList()
{
    nameList_->clear();
    int position = 0;
    for (const ColourNameList::Row& row : ColourNameList(config_.colorNames).Rows())
        nameList_->InsertRow(position++, {FromModelText(row.name)}, row.colour);
}

void CViewSetDlg::ShowSelectedName()
{
    const QList<QTreeWidgetItem*> selected = nameList_->selectedItems();
    if (selected.isEmpty())
        return;
    nameEdit_->setText(selected.front()->text(0));
    nameColor_->SetColor(CColorListCtrl::RowColour(selected.front()));
}
