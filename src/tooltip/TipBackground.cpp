#include "tooltip/TipBackground.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdint>

namespace {

// The same grain on every tip, so a repaint does not flicker: a small fixed
// pseudo-random tile, tiled over the balloon.
QImage NoiseTile(const QColor& base)
{
    QImage tile(64, 64, QImage::Format_RGB32);
    std::uint32_t seed = 0x2545F491u;
    for (int y = 0; y < tile.height(); ++y) {
        for (int x = 0; x < tile.width(); ++x) {
            seed ^= seed << 13;
            seed ^= seed >> 17;
            seed ^= seed << 5;
            const int shade = static_cast<int>(seed % 25) - 12;
            tile.setPixelColor(x, y, base.lighter(100 + shade));
        }
    }
    return tile;
}

}  // namespace

void TipBackground::Paint(QPainter& painter, const QPainterPath& balloon, const TipMarkup& markup)
{
    const QRectF box = balloon.boundingRect();
    const QColor first = markup.Colour();
    const QColor second = markup.Colour2();
    switch (markup.BackgroundEffect()) {
    case TipMarkup::Effect::Solid:
        painter.fillPath(balloon, first);
        break;
    case TipMarkup::Effect::HGradient:
    case TipMarkup::Effect::VGradient: {
        const bool across = markup.BackgroundEffect() == TipMarkup::Effect::HGradient;
        QLinearGradient gradient(box.topLeft(), across ? box.topRight() : box.bottomLeft());
        gradient.setColorAt(0, first);
        gradient.setColorAt(1, second);
        painter.fillPath(balloon, gradient);
        break;
    }
    case TipMarkup::Effect::Noise:
        painter.fillPath(balloon, QBrush(NoiseTile(first)));
        break;
    case TipMarkup::Effect::Metal: {
        // Brushed metal: light bands across a vertical sheen.
        QLinearGradient sheen(box.topLeft(), box.bottomLeft());
        sheen.setColorAt(0, first.lighter(115));
        sheen.setColorAt(0.45, second);
        sheen.setColorAt(0.55, second.darker(110));
        sheen.setColorAt(1, first);
        painter.fillPath(balloon, sheen);
        painter.save();
        painter.setClipPath(balloon);
        QColor band = Qt::white;
        band.setAlpha(28);
        painter.setPen(band);
        for (qreal y = box.top(); y < box.bottom(); y += 3)
            painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        painter.restore();
        break;
    }
    }
}
