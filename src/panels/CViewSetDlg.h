#pragma once

#include <QWidget>

class AppConfig;
class CColorListCtrl;
class CColorPaletteButton;
class MsgCenter;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The side panel "viewset": what the map view draws and the colour names.
// The display settings change only with "确定"; colour names change at once.
class CViewSetDlg : public QWidget {
    Q_OBJECT

public:
    CViewSetDlg(MsgCenter& center, AppConfig& config, QWidget* parent = nullptr);

    QCheckBox* KeepCenterCheck() const { return keepCenter_; }
    QRadioButton* GridAlwaysRadio() const { return gridAlways_; }
    QRadioButton* GridNeverRadio() const { return gridNever_; }
    QRadioButton* GridAutoRadio() const { return gridAuto_; }
    CColorPaletteButton* HouseColorButton() const { return houseColor_; }
    CColorPaletteButton* FactoryColorButton() const { return factoryColor_; }
    CColorPaletteButton* OtherColorButton() const { return otherColor_; }
    QCheckBox* HideGridCheck() const { return hideGrid_; }
    QCheckBox* HideFrameCheck() const { return hideFrame_; }
    QCheckBox* HideNameCheck() const { return hideName_; }
    CColorListCtrl* NameList() const { return nameList_; }
    CColorPaletteButton* NameColorButton() const { return nameColor_; }
    QLineEdit* NameEdit() const { return nameEdit_; }
    QPushButton* StoreNameButton() const { return storeName_; }
    QPushButton* DeleteNameButton() const { return deleteName_; }
    QPushButton* OkButton() const { return okButton_; }

    // What "确定" does: the settings take the panel's values, then back to "main".
    void Apply();
    // "添加&修改" and "删除": change the colour names at once and refill the list.
    void StoreName();
    void DeleteName();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FillNameList();
    void ShowSelectedName();

    MsgCenter& center_;
    AppConfig& config_;
    QCheckBox* keepCenter_;
    QRadioButton* gridAlways_;
    QRadioButton* gridNever_;
    QRadioButton* gridAuto_;
    CColorPaletteButton* houseColor_;
    CColorPaletteButton* factoryColor_;
    CColorPaletteButton* otherColor_;
    QCheckBox* hideGrid_;
    QCheckBox* hideFrame_;
    QCheckBox* hideName_;
    CColorListCtrl* nameList_;
    CColorPaletteButton* nameColor_;
    QLineEdit* nameEdit_;
    QPushButton* storeName_;
    QPushButton* deleteName_;
    QPushButton* okButton_;
};
