#include "panels/CColorPaletteButton.h"

#include "config/AppConfig.h"
#include "panels/ColorPaletteWindow.h"
#include "panels/ColorRefQt.h"
#include "panels/PaletteGrid.h"

#include <QBitmap>
#include <QColorDialog>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <qdrawutil.h>

namespace {

// Qt has no query for the system cursor size; 32 px is the usual one. The
// masks fill the top-left 16 × 16 pixels, the rest stays transparent.
constexpr int kCursorSize = 32;

QImage BlankMask()
{
    QImage image(kCursorSize, kCursorSize, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    return image;
}

// Qt spells a monochrome cursor as (bitmap, mask): 1/1 black, 0/1 white,
// 0/0 transparent and 1/0 inverting where the platform can.
QCursor PickerCursor()
{
    QImage bitmap = BlankMask();
    QImage mask = BlankMask();
    using Pixel = PaletteGrid::CursorPixel;
    for (int y = 0; y < PaletteGrid::kCursorSide; ++y) {
        for (int x = 0; x < PaletteGrid::kCursorSide; ++x) {
            const Pixel pixel = PaletteGrid::CursorPixelAt(x, y);
            if (pixel == Pixel::Black || pixel == Pixel::Inverted)
                bitmap.setPixel(x, y, 1);
            if (pixel == Pixel::Black || pixel == Pixel::White)
                mask.setPixel(x, y, 1);
        }
    }
    return QCursor(QBitmap::fromImage(bitmap), QBitmap::fromImage(mask), PaletteGrid::kCursorHotX,
                   PaletteGrid::kCursorHotY);
}

}  // namespace

CColorPaletteButton::CColorPaletteButton(const AppConfig& config, bool embedded, QWidget* parent)
    : QPushButton(parent),
      config_(config),
      embedded_(embedded),
      colour_(ToColorRef(palette().color(QPalette::Button))),
      picker_(PickerCursor())
{
}

CColorPaletteButton::~CColorPaletteButton()
{
    delete palette_.data();
}

void CColorPaletteButton::SetColor(ColorRef colour)
{
    colour_ = colour;
    emit colorCommand();
    update();
}

bool CColorPaletteButton::PaletteOpen() const
{
    return !palette_.isNull();
}

ColorPaletteWindow* CColorPaletteButton::Palette() const
{
    return palette_.data();
}

void CColorPaletteButton::OpenPalette()
{
    OpenPaletteFrom(std::nullopt);
}

void CColorPaletteButton::mousePressEvent(QMouseEvent* event)
{
    QPushButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    OpenPaletteFrom(event->globalPosition().toPoint());
    // The palette takes the release, so the button would stay down.
    setDown(false);
}

void CColorPaletteButton::OpenPaletteFrom(std::optional<QPoint> press)
{
    if (!palette_) {
        QWidget* parent = parentWidget();
        // Embedded needs a parent to live in; without one the button stays closed.
        if (embedded_ && parent == nullptr)
            return;
        palette_ = new ColorPaletteWindow(embedded_ ? parent : this, embedded_, colour_, config_.colorNames, picker_);
        if (embedded_) {
            palette_->move(3, height() - 1);
        } else {
            const QRect screenArea = screen()->geometry();
            const QPoint bottomLeft = mapToGlobal(QPoint(0, height())) - screenArea.topLeft();
            const PaletteGrid::Point origin =
                PaletteGrid::PopupOrigin(bottomLeft.x(), bottomLeft.y(), screenArea.width(), screenArea.height());
            palette_->move(screenArea.topLeft() + QPoint(origin.x, origin.y));
        }
        connect(palette_, &ColorPaletteWindow::colorChosen, this, &CColorPaletteButton::OnChoice);
        connect(palette_, &ColorPaletteWindow::moreColorsRequested, this, &CColorPaletteButton::OnMoreColors);
        palette_->Open();
    }
    if (press)
        palette_->RememberPress(*press);
    update();
}

void CColorPaletteButton::OnChoice(ColorRef colour)
{
    // A late choice of a palette already closing is not a choice.
    if (!palette_ || sender() != palette_)
        return;
    if (colour == colour_)
        update();
    else
        SetColor(colour);
    if (!embedded_)
        ClosePalette();
}

void CColorPaletteButton::OnMoreColors()
{
    if (!embedded_)
        ClosePalette();
    QPointer<CColorPaletteButton> self(this);
    QColorDialog dialog(Qt::black, window());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // The button may have gone with its panel while the dialog was open.
    if (self && accepted)
        SetColor(ToColorRef(dialog.selectedColor()));
}

void CColorPaletteButton::ClosePalette()
{
    if (!palette_)
        return;
    ColorPaletteWindow* closing = palette_.data();
    palette_.clear();
    closing->disconnect(this);
    closing->hide();
    closing->releaseMouse();
    closing->deleteLater();
    update();
}

void CColorPaletteButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect area = rect();
    const QColor face = palette().color(QPalette::Button);
    const QPalette edges = EdgeColours(palette());
    p.fillRect(area, face);
    if (!palette_) {
        qDrawShadePanel(&p, area, edges, false, 1);
        p.setPen(face);
        p.drawRect(area.adjusted(1, 1, -2, -2));
    }
    const QRect swatch = area.adjusted(3, 3, -3, -3);
    p.fillRect(swatch, ToQColor(colour_));
    qDrawShadePanel(&p, swatch, edges, true, 1);
}
