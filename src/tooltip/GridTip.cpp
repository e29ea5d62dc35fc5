#include "tooltip/GridTip.h"

#include "tooltip/TipBackground.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QScreen>

#include <cmath>

namespace {

constexpr int kPadding = 6;
constexpr int kRadius = 6;
constexpr int kPointerWidth = 12;
constexpr int kMaxTextWidth = 420;

}  // namespace

GridTip::GridTip(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    document_.setDocumentMargin(0);
    appear_.setSingleShot(true);
    appear_.setInterval(kAppearDelayMs);
    connect(&appear_, &QTimer::timeout, this, &GridTip::Appear);
}

void GridTip::ShowAt(const QString& markup, QPoint screenPoint)
{
    HideTip();
    markup_ = TipMarkup::Parse(markup, imageFolder_);
    at_ = screenPoint;
    appear_.start();
}

void GridTip::HideTip()
{
    appear_.stop();
    hide();
}

QPoint GridTip::PointerTip() const
{
    return pos() + QPoint(kPointerOffset, pointsDown_ ? height() - 1 : 0);
}

void GridTip::Appear()
{
    document_.setDefaultFont(font());
    document_.setHtml(markup_.Html());
    document_.setTextWidth(-1);
    if (document_.idealWidth() > kMaxTextWidth)
        document_.setTextWidth(kMaxTextWidth);
    const QSizeF text = document_.size();
    const QSize size(static_cast<int>(std::ceil(text.width())) + 2 * kPadding,
                     static_cast<int>(std::ceil(text.height())) + 2 * kPadding + kPointerHeight);
    resize(size);

    // Below the point as a rule; above it where the screen ends first.
    const QScreen* screen = QGuiApplication::screenAt(at_);
    const QRect room = screen ? screen->availableGeometry() : QRect();
    pointsDown_ = room.isValid() && at_.y() + size.height() > room.bottom() && at_.y() - size.height() >= room.top();
    QPoint topLeft = at_ - QPoint(kPointerOffset, pointsDown_ ? size.height() - 1 : 0);
    move(topLeft);
    setMask(QRegion(Balloon().toFillPolygon().toPolygon()));
    show();
}

QPainterPath GridTip::Balloon() const
{
    const qreal top = pointsDown_ ? 0 : kPointerHeight;
    const QRectF body(0, top, width() - 1, height() - 1 - kPointerHeight);
    QPainterPath balloon;
    balloon.addRoundedRect(body, kRadius, kRadius);
    QPainterPath pointer;
    const qreal edge = pointsDown_ ? body.bottom() - 1 : body.top() + 1;
    const qreal tip = pointsDown_ ? height() - 1 : 0;
    pointer.moveTo(kPointerOffset, tip);
    pointer.lineTo(kPointerOffset + kPointerWidth, edge);
    pointer.lineTo(kPointerOffset, edge);
    pointer.closeSubpath();
    return balloon.united(pointer);
}

void GridTip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath balloon = Balloon();
    TipBackground::Paint(painter, balloon, markup_);
    painter.setPen(QPen(QColor(0x76, 0x76, 0x76), 1));
    painter.drawPath(balloon);

    painter.translate(kPadding, kPadding + (pointsDown_ ? 0 : kPointerHeight));
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    document_.documentLayout()->draw(&painter, context);
}
