#include "view/ImageExportDlg.h"

#include "view/MapPicture.h"
#include "view/ViewGeometry.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

ImageExportDlg::ImageExportDlg(int cellSize, QWidget* parent)
    : QDialog(parent),
      wholeMap_(new QRadioButton(tr("整个地图"), this)),
      partInView_(new QRadioButton(tr("视图中的部分"), this)),
      cellSize_(new QSpinBox(this))
{
    setWindowTitle(tr("导出图片"));
    wholeMap_->setChecked(true);
    cellSize_->setRange(ViewGeometry::kMinCellSize, MapPicture::kMaxCellSize);
    cellSize_->setValue(std::clamp(cellSize, ViewGeometry::kMinCellSize, MapPicture::kMaxCellSize));
    cellSize_->setSuffix(tr(" 像素"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(tr("格子大小:"), cellSize_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wholeMap_);
    layout->addWidget(partInView_);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

bool ImageExportDlg::WholeMap() const
{
    return wholeMap_->isChecked();
}

int ImageExportDlg::CellSize() const
{
    return cellSize_->value();
}
