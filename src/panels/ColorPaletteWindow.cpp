#include "panels/ColorPaletteWindow.h"

#include "panels/ColorRefQt.h"
#include "panels/PaletteGrid.h"
#include "view/QtText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

#include <algorithm>

namespace {

// Client pixels start inside the 1-px border.
constexpr int kBorder = 1;
constexpr int kStripTop = PaletteGrid::kRows * PaletteGrid::kCellSize;
constexpr int kSwatchSide = PaletteGrid::kCellSize - 1;

const QColor kStripGrey(192, 192, 192);
const QRect kPreview(5, 125, 35, 18);
const QPoint kTextOrigin(45, 125);
const QRect kMoreColorsButton(167, 126, 16, 16);
constexpr int kFontPixels = 12;

QFont TextLineFont()
{
    QFont font;
    // The Chinese system font first; the others stand in where it is missing.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(kFontPixels);
    font.setWeight(QFont::Normal);
    return font;
}

QRect CellRect(int index)
{
    const int column = index % PaletteGrid::kColumns;
    const int row = index / PaletteGrid::kColumns;
    return QRect(column * PaletteGrid::kCellSize, row * PaletteGrid::kCellSize, kSwatchSide, kSwatchSide);
}

}  // namespace

ColorPaletteWindow::ColorPaletteWindow(QWidget* owner, bool embedded, ColorRef start,
                                       const std::map<ColorRef, std::string>& names, const QCursor& picker)
    : QWidget(owner, embedded ? Qt::Widget : Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      embedded_(embedded),
      start_(start),
      names_(names),
      picker_(picker),
      current_(start),
      font_(TextLineFont()),
      moreColors_(new QPushButton(this))
{
    setObjectName(QStringLiteral("ColorPalette"));
    setWindowTitle(QStringLiteral("Palatte"));
    setFixedSize(PaletteGrid::kWidth, PaletteGrid::kHeight);
    setMouseTracking(true);
    setFocusPolicy(embedded ? Qt::NoFocus : Qt::StrongFocus);
    setCursor(picker_);

    moreColors_->setGeometry(kMoreColorsButton.translated(kBorder, kBorder));
    moreColors_->setFocusPolicy(Qt::NoFocus);
    moreColors_->setCursor(Qt::ArrowCursor);
    moreColors_->installEventFilter(this);
    connect(moreColors_, &QPushButton::clicked, this, &ColorPaletteWindow::moreColorsRequested);
}

ColorPaletteWindow::~ColorPaletteWindow()
{
    HoldPointer(false);
}

QString ColorPaletteWindow::TextLine() const
{
    return FromModelText(PaletteGrid::ColorText(current_, names_));
}

void ColorPaletteWindow::Open()
{
    show();
    raise();
    if (embedded_)
        return;
    activateWindow();
    setFocus();
    HoldPointer(true);
}

void ColorPaletteWindow::RememberPress(QPoint global)
{
    lastPress_ = global;
    update();
}

void ColorPaletteWindow::HoldPointer(bool hold)
{
    if (embedded_)
        return;
    if (hold && mouseGrabber() != this)
        grabMouse();
    else if (!hold && mouseGrabber() == this)
        releaseMouse();
}

void ColorPaletteWindow::ChooseIfInSwatchArea()
{
    if (inSwatchArea_)
        emit colorChosen(current_);
}

void ColorPaletteWindow::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (lastPress_ == global)
        return;
    const QPoint local = event->position().toPoint();
    if (rect().contains(local))
        TrackInside(local);
    else if (embedded_)
        LetPointerGo();
    else
        KeepPointerInside(global);
}

void ColorPaletteWindow::LetPointerGo()
{
    // A press held since a swatch must not choose it when released outside.
    inSwatchArea_ = false;
    unsetCursor();
}

void ColorPaletteWindow::TrackInside(QPoint local)
{
    int index = -1;
    inSwatchArea_ = PaletteGrid::InSwatchArea(local.x(), local.y());
    if (inSwatchArea_) {
        index = PaletteGrid::CellIndexAt(local.x(), local.y());
        HoldPointer(true);
        setCursor(picker_);
    } else {
        // The more-colours button only gets its click while the pointer is free.
        HoldPointer(!moreColors_->geometry().contains(local));
        setCursor(Qt::ArrowCursor);
    }
    if (index == hovered_)
        return;
    hovered_ = index;
    if (index >= 0)
        current_ = PaletteGrid::CellColor(index);
    update();
}

void ColorPaletteWindow::KeepPointerInside(QPoint global)
{
    const QRect outer = frameGeometry();
    const QPoint nearest(std::clamp(global.x(), outer.left(), outer.right()),
                         std::clamp(global.y(), outer.top(), outer.bottom()));
    setCursor(picker_);
    QCursor::setPos(nearest);
}

void ColorPaletteWindow::mousePressEvent(QMouseEvent* event)
{
    RememberPress(event->globalPosition().toPoint());
}

void ColorPaletteWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (embedded_ && !rect().contains(event->position().toPoint()))
        LetPointerGo();
    ChooseIfInSwatchArea();
}

void ColorPaletteWindow::leaveEvent(QEvent* event)
{
    if (embedded_)
        LetPointerGo();
    QWidget::leaveEvent(event);
}

void ColorPaletteWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit colorChosen(start_);
        return;
    }
    QWidget::keyPressEvent(event);
}

bool ColorPaletteWindow::event(QEvent* event)
{
    // Only a window of its own can lose the activation; embedded it never chooses so.
    if (event->type() == QEvent::WindowDeactivate && !embedded_)
        ChooseIfInSwatchArea();
    return QWidget::event(event);
}

bool ColorPaletteWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == moreColors_ && event->type() == QEvent::Paint) {
        PaintMoreColorsButton();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ColorPaletteWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.translate(kBorder, kBorder);
    PaintSwatches(p);
    PaintStrip(p);
}

void ColorPaletteWindow::PaintSwatches(QPainter& p) const
{
    p.fillRect(QRect(0, 0, width() - 2 * kBorder, kStripTop), Qt::black);
    for (int index = 0; index < PaletteGrid::kColumns * PaletteGrid::kRows; ++index)
        p.fillRect(CellRect(index), ToQColor(PaletteGrid::CellColor(index)));
    if (hovered_ < 0)
        return;
    // A dotted ring over the grid lines around the cell shows on every colour.
    const QRect ring = CellRect(hovered_).adjusted(-1, -1, 0, 0);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::black);
    p.drawRect(ring);
    QPen dots(Qt::white, 0, Qt::CustomDashLine);
    dots.setDashPattern({1, 1});
    p.setPen(dots);
    p.drawRect(ring);
}

void ColorPaletteWindow::PaintStrip(QPainter& p) const
{
    p.fillRect(QRect(0, kStripTop, width() - 2 * kBorder, height() - 2 * kBorder - kStripTop), kStripGrey);
    p.setPen(Qt::black);
    p.setBrush(ToQColor(current_));
    p.drawRect(kPreview.adjusted(0, 0, -1, -1));

    p.setFont(font_);
    const QRect textArea(kTextOrigin, QPoint(width() - 2 * kBorder - 1, height() - 2 * kBorder - 1));
    p.drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, TextLine());
}

void ColorPaletteWindow::PaintMoreColorsButton()
{
    QPainter p(moreColors_);
    const QRect face = moreColors_->rect();
    const QColor shadow = palette().color(QPalette::Shadow);
    const bool down = moreColors_->isDown();
    p.fillRect(face, kStripGrey);
    qDrawShadePanel(&p, face, EdgeColours(palette()), down, 1);

    const int shift = down ? 1 : 0;
    const struct {
        int at;
        QColor fill;
    } squares[] = {{3, Qt::red}, {5, Qt::green}, {7, Qt::yellow}};
    p.setPen(shadow);
    for (const auto& square : squares) {
        p.setBrush(square.fill);
        p.drawRect(QRect(square.at + shift, square.at + shift, 4, 4));
    }
}
