#include "panels/CColorInputDlg.h"

#include "panels/CColorPaletteButton.h"
#include "panels/DialogUnits.h"

#include <QPushButton>

CColorInputDlg::CColorInputDlg(ColorRef initial, const AppConfig& config, QWidget* parent)
    : QDialog(parent),
      colour_(new CColorPaletteButton(config, true, this)),
      ok_(new QPushButton(tr("确认"), this)),
      cancel_(new QPushButton(tr("取消"), this)),
      result_(initial)
{
    setWindowTitle(tr("颜色选择"));
    setFixedSize(dialog_units::ToPixels(0, 0, 131, 135).size());
    dialog_units::Place(colour_, 0, 0, 131, 17);
    dialog_units::Place(ok_, 14, 114, 50, 14);
    dialog_units::Place(cancel_, 67, 114, 50, 14);
    ok_->setDefault(true);
    // The swatch is only a preview here; its palette below does the choosing.
    colour_->setFocusPolicy(Qt::NoFocus);

    connect(ok_, &QPushButton::clicked, this, &CColorInputDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CColorInputDlg::reject);

    colour_->SetColor(initial);
    colour_->OpenPalette();
}

void CColorInputDlg::accept()
{
    result_ = colour_->Color();
    QDialog::accept();
}
