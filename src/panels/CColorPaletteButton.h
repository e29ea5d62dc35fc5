#pragma once

#include "msg/MsgTypes.h"

#include <QCursor>
#include <QPointer>
#include <QPushButton>

#include <optional>

class AppConfig;
class ColorPaletteWindow;

// A push button that shows its colour as a swatch and, when pressed, opens
// the colour palette: a pop-up that closes after a choice, or (embedded) a
// child of the button's parent that stays open. Every change of the colour
// is announced with colorCommand(), which the panels answer as they would a
// button's command.
class CColorPaletteButton : public QPushButton {
    Q_OBJECT

public:
    // The palette shows the names of `config.colorNames`.
    CColorPaletteButton(const AppConfig& config, bool embedded, QWidget* parent = nullptr);
    ~CColorPaletteButton() override;

    // Stores the colour, announces it and repaints.
    void SetColor(ColorRef colour);
    ColorRef Color() const { return colour_; }

    bool Embedded() const { return embedded_; }
    bool PaletteOpen() const;
    // The open palette, or nullptr.
    ColorPaletteWindow* Palette() const;
    // What a left press on the button does.
    void OpenPalette();

signals:
    void colorCommand();

    // ---- everything below is the implementer's ----
protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void OpenPaletteFrom(std::optional<QPoint> press);
    void OnChoice(ColorRef colour);
    void OnMoreColors();
    void ClosePalette();

    const AppConfig& config_;
    const bool embedded_;
    ColorRef colour_;
    // The embedded palette belongs to the parent, which may delete it first.
    QPointer<ColorPaletteWindow> palette_;
    const QCursor picker_;
};
