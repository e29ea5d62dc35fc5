#include "view/ViewGeometry.h"

#include "scene/Scene.h"

#include <algorithm>
#include <limits>

namespace {

std::int64_t CeilDiv(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

std::int32_t Saturate32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::int64_t Abs64(std::int64_t v)
{
    return v < 0 ? -v : v;
}

}  // namespace

void ViewGeometry::SetWindowSize(int width, int height)
{
    viewWidth_ = std::max(0, width - 2 * kMargin);
    viewHeight_ = std::max(0, height - 2 * kMargin);
}

void ViewGeometry::SetCellSize(std::int64_t cellSize)
{
    cellSize_ = static_cast<int>(std::clamp<std::int64_t>(cellSize, kMinCellSize, kMaxCellSize));
    Clamp();
    Snap();
}

void ViewGeometry::ZoomStep(int delta, bool keepCentre)
{
    const std::int64_t oldSize = cellSize_;
    const std::int64_t ox = (scrollX_ + viewWidth_ / 2) / oldSize;
    const std::int64_t oy = (scrollY_ + viewHeight_ / 2) / oldSize;
    if (delta > 0)
        cellSize_ = std::min(cellSize_ + 1, kMaxCellSize);
    else if (cellSize_ > kMinCellSize)
        --cellSize_;
    if (keepCentre) {
        const std::int64_t c = cellSize_;
        const std::int64_t nx = (scrollX_ + viewWidth_ / 2) / c;
        const std::int64_t ny = (scrollY_ + viewHeight_ / 2) / c;
        scrollX_ -= (nx - ox) * c;
        scrollY_ -= (ny - oy) * c;
        Clamp();
    } else {
        Clamp();
        Snap();
    }
}

void ViewGeometry::Pan(std::int64_t dx, std::int64_t dy, bool snap)
{
    // Deltas come from mouse moves; saturating keeps a wild one from overflowing.
    scrollX_ += std::clamp<std::int64_t>(dx, INT32_MIN, INT32_MAX);
    scrollY_ += std::clamp<std::int64_t>(dy, INT32_MIN, INT32_MAX);
    Clamp();
    if (snap)
        Snap();
}

void ViewGeometry::CenterOn(std::int32_t x, std::int32_t y)
{
    const std::int64_t c = cellSize_;
    scrollX_ = (x - viewWidth_ / 2 / c) * c;
    scrollY_ = (y - viewHeight_ / 2 / c) * c;
    Clamp();
    Snap();
}

void ViewGeometry::SetScroll(std::int64_t x, std::int64_t y)
{
    scrollX_ = x;
    scrollY_ = y;
    Clamp();
}

void ViewGeometry::Clamp()
{
    const std::int64_t mapPixels = static_cast<std::int64_t>(GridSize) * cellSize_;
    scrollX_ = std::min(std::max<std::int64_t>(scrollX_, 0), mapPixels - viewWidth_);
    scrollY_ = std::min(std::max<std::int64_t>(scrollY_, 0), mapPixels - viewHeight_);
}

void ViewGeometry::Snap()
{
    scrollX_ -= scrollX_ % cellSize_;
    scrollY_ -= scrollY_ % cellSize_;
}

GridPoint ViewGeometry::CellOfPixel(std::int64_t px, std::int64_t py) const
{
    return {Saturate32((scrollX_ - kMargin + px) / cellSize_), Saturate32((scrollY_ - kMargin + py) / cellSize_)};
}

PixelPoint ViewGeometry::CellTopLeft(std::int64_t x, std::int64_t y) const
{
    return {x * cellSize_ - scrollX_ + kMargin, y * cellSize_ - scrollY_ + kMargin};
}

PixelRect ViewGeometry::PixelRectOfCells(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) const
{
    const std::int64_t c = cellSize_;
    return {x1 * c - scrollX_ + kMargin, y1 * c - scrollY_ + kMargin, (x2 + 1) * c - scrollX_ + kMargin,
            (y2 + 1) * c - scrollY_ + kMargin};
}

PixelRect ViewGeometry::PixelRectOfCells(const CellRect& cells) const
{
    return PixelRectOfCells(cells.x1, cells.y1, cells.x2, cells.y2);
}

PixelRect ViewGeometry::PixelRectOfCell(std::int64_t x, std::int64_t y) const
{
    return PixelRectOfCells(x, y, x, y);
}

bool ViewGeometry::IsOutsideView(const PixelRect& rect) const
{
    return rect.right < kMargin || rect.bottom < kMargin || rect.left >= kMargin + viewWidth_ ||
           rect.top >= kMargin + viewHeight_;
}

std::optional<PixelRect> ViewGeometry::ClipToView(const PixelRect& rect) const
{
    if (IsOutsideView(rect))
        return std::nullopt;
    const PixelRect clipped{std::max<std::int64_t>(rect.left, kMargin), std::max<std::int64_t>(rect.top, kMargin),
                            std::min<std::int64_t>(rect.right, kMargin + viewWidth_),
                            std::min<std::int64_t>(rect.bottom, kMargin + viewHeight_)};
    // Inverted rectangles come from negative building sizes in a file; they cover nothing.
    if (clipped.IsEmpty())
        return std::nullopt;
    return clipped;
}

FrameEdges ViewGeometry::FrameEdgesOf(const PixelRect& clipped) const
{
    return {clipped.top > kMargin, clipped.bottom < kMargin + viewHeight_, clipped.left > kMargin,
            clipped.right < kMargin + viewWidth_};
}

CellSpan ViewGeometry::VisibleSpan(std::int64_t scroll, std::int64_t viewSize, std::int64_t lo, std::int64_t hi) const
{
    // Cell i is visible when (i + 1)·c − scroll >= 0 and i·c − scroll < viewSize.
    const std::int64_t c = cellSize_;
    const std::int64_t first = CeilDiv(scroll, c) - 1;
    const std::int64_t last = CeilDiv(scroll + viewSize, c) - 1;
    return {std::max(first, lo), std::min(last, hi)};
}

CellSpan ViewGeometry::VisibleColumns(std::int64_t lo, std::int64_t hi) const
{
    return VisibleSpan(scrollX_, viewWidth_, lo, hi);
}

CellSpan ViewGeometry::VisibleRows(std::int64_t lo, std::int64_t hi) const
{
    return VisibleSpan(scrollY_, viewHeight_, lo, hi);
}

CellRect ViewGeometry::CellRectOfDrag(std::int64_t px1, std::int64_t py1, std::int64_t px2, std::int64_t py2,
                                      const Scene& scene) const
{
    const GridPoint a = CellOfPixel(px1, py1);
    const GridPoint b = CellOfPixel(px2, py2);
    CellRect cells{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    if (cells.x1 == cells.x2 && cells.y1 == cells.y2 && InGrid(cells.x1, cells.y1) &&
        scene.CellAt(cells.x1, cells.y1) == CellBuild) {
        if (const Build* build = scene.FindBuildAt(cells.x1, cells.y1))
            cells = {build->x, build->y, Saturate32(std::int64_t{build->x} + build->w - 1),
                     Saturate32(std::int64_t{build->y} + build->h - 1)};
    }
    return cells;
}

PixelRect ViewGeometry::DragRect(std::int64_t px1, std::int64_t py1, std::int64_t px2, std::int64_t py2) const
{
    const PixelRect sorted{std::min(px1, px2), std::min(py1, py2), std::max(px1, px2), std::max(py1, py2)};
    if (IsOutsideView(sorted))
        return {-1, -1, -1, -1};
    return {std::max<std::int64_t>(sorted.left, kMargin), std::max<std::int64_t>(sorted.top, kMargin),
            std::min<std::int64_t>(sorted.right, kMargin + viewWidth_),
            std::min<std::int64_t>(sorted.bottom, kMargin + viewHeight_)};
}

int ViewGeometry::EdgeNumberStep() const
{
    return std::max(1, kLabelSpacing / cellSize_);
}

std::optional<PixelPoint> ViewGeometry::TopNumberPosition(int index, int textWidth, int textHeight) const
{
    const std::int64_t offset = std::int64_t{index} * cellSize_ + cellSize_ / 2 - scrollX_;
    if (offset < 0 || offset > viewWidth_)
        return std::nullopt;
    return PixelPoint{kMargin + offset - textWidth / 2, kMargin - kLabelGap - textHeight};
}

std::optional<PixelPoint> ViewGeometry::LeftNumberPosition(int index, int textWidth, int textHeight) const
{
    const std::int64_t offset = std::int64_t{index} * cellSize_ + cellSize_ / 2 - scrollY_;
    if (offset < 0 || offset > viewHeight_)
        return std::nullopt;
    return PixelPoint{kMargin - kLabelGap - textWidth, kMargin + offset - textHeight / 2};
}

std::optional<PixelPoint> ViewGeometry::PlaceLabel(PixelPoint centre, std::int64_t textWidth,
                                                   std::int64_t textHeight) const
{
    std::int64_t x = std::max<std::int64_t>(centre.x - textWidth / 2, kMargin);
    std::int64_t y = std::max<std::int64_t>(centre.y - textHeight / 2, kMargin);
    if (x + textWidth > kMargin + viewWidth_)
        x = kMargin + viewWidth_ - textWidth;
    if (y + textHeight > kMargin + viewHeight_)
        y = kMargin + viewHeight_ - textHeight;
    if (x < kMargin || y < kMargin)
        return std::nullopt;
    return PixelPoint{x, y};
}

std::optional<RulerShape> ViewGeometry::Ruler(const CellRect& startAndEnd) const
{
    const std::int64_t c = cellSize_;
    const std::int64_t a = startAndEnd.x1;
    const std::int64_t b = startAndEnd.y1;
    const std::int64_t c2 = startAndEnd.x2;
    const std::int64_t d2 = startAndEnd.y2;
    const std::int64_t width = viewWidth_;
    const std::int64_t height = viewHeight_;

    bool startCut = false;
    const auto cut = [](std::int64_t v, std::int64_t limit, bool& wasCut) {
        const std::int64_t kept = std::clamp<std::int64_t>(v, 0, limit);
        wasCut = wasCut || kept != v;
        return kept;
    };
    const std::int64_t left = cut(a * c - scrollX_, width, startCut);
    const std::int64_t right = cut((a + 1) * c - scrollX_, width, startCut);
    const std::int64_t top = cut(b * c - scrollY_, height, startCut);
    const std::int64_t bottom = cut((b + 1) * c - scrollY_, height, startCut);

    RulerShape shape;
    bool endCut = false;
    if (Abs64(d2 - b) >= Abs64(c2 - a)) {
        const std::int64_t lineX = (left + right) / 2;
        if (lineX == 0 || lineX == width)
            return std::nullopt;
        const bool down = d2 >= b;
        const std::int64_t startY = down ? top : bottom;
        const std::int64_t endY = down ? (d2 + 1) * c - scrollY_ : d2 * c - scrollY_;
        shape.labelCentre = {lineX, (startY + endY) / 2};
        shape.length = Abs64(d2 - b) + 1;
        shape.start = {lineX, startY};
        shape.end = {lineX, cut(endY, height, endCut)};
    } else {
        const std::int64_t lineY = (top + bottom) / 2;
        if (lineY == 0 || lineY == height)
            return std::nullopt;
        const bool rightward = c2 >= a;
        const std::int64_t startX = rightward ? left : right;
        const std::int64_t endX = rightward ? (c2 + 1) * c - scrollX_ : c2 * c - scrollX_;
        shape.labelCentre = {(startX + endX) / 2, lineY};
        shape.length = Abs64(c2 - a) + 1;
        shape.start = {startX, lineY};
        shape.end = {cut(endX, width, endCut), lineY};
    }
    shape.startDot = !startCut;
    shape.endDot = !endCut;
    for (PixelPoint* p : {&shape.start, &shape.end, &shape.labelCentre}) {
        p->x += kMargin;
        p->y += kMargin;
    }
    return shape;
}
