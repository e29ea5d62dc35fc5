#pragma once

#include <QDialog>

class QRadioButton;
class QSpinBox;

// Asks what "导出图片" draws: the whole map or the part in view, and at which cell size.
class ImageExportDlg : public QDialog {
    Q_OBJECT

public:
    ImageExportDlg(int cellSize, QWidget* parent = nullptr);

    bool WholeMap() const;
    int CellSize() const;

    QRadioButton* WholeMapButton() const { return wholeMap_; }
    QRadioButton* PartInViewButton() const { return partInView_; }
    QSpinBox* CellSizeBox() const { return cellSize_; }

private:
    QRadioButton* wholeMap_;
    QRadioButton* partInView_;
    QSpinBox* cellSize_;
};
