#pragma once

#include "msg/MsgTypes.h"

#include <QDialog>

class AppConfig;
class CColorPaletteButton;
class QPushButton;

// Dialog 142, "颜色选择": an embedded palette, open from the start, under a
// swatch of the chosen colour.
class CColorInputDlg : public QDialog {
    Q_OBJECT

public:
    CColorInputDlg(ColorRef initial, const AppConfig& config, QWidget* parent = nullptr);

    // The chosen colour; valid after the dialog ended with Accepted.
    ColorRef Result() const { return result_; }

    CColorPaletteButton* PaletteButton() const { return colour_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;

private:
    CColorPaletteButton* colour_;
    QPushButton* ok_;
    QPushButton* cancel_;
    ColorRef result_;
};
