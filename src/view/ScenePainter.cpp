#include "view/ScenePainter.h"

#include "config/AppConfig.h"
#include "msg/MsgCenter.h"
#include "msg/Messages.h"
#include "scene/Scene.h"
#include "view/QtColor.h"
#include "view/QtText.h"
#include "view/SceneSelection.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include <optional>

namespace {

// Bounds of the name cache; pathological maps only refill it.
constexpr std::size_t kNameCacheEntries = 4096;
constexpr std::size_t kNameCacheBytes = 4u << 20;

const QColor kBackground(192, 192, 192);
const QColor kNameBackground(180, 185, 248);
const QColor kRed(255, 0, 0);

// Every rectangle handed to Qt has been clipped to the view, so it fits an int.
QRect ToQRect(const PixelRect& r)
{
    return QRect(static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
                 static_cast<int>(r.bottom - r.top));
}

QPoint ToQPoint(const PixelPoint& p)
{
    return QPoint(static_cast<int>(p.x), static_cast<int>(p.y));
}

QPen SolidPen(QColor colour, int width)
{
    return QPen(QBrush(colour), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QPen DottedPen(QColor colour)
{
    return QPen(QBrush(colour), 1, Qt::DotLine, Qt::FlatCap, Qt::MiterJoin);
}

// The wanted face is rarely installed outside its home system; any font that
// covers Chinese keeps the names readable.
QFont MapFont()
{
    const QString wanted = QStringLiteral("仿宋体");
    QString family = wanted;
    if (!QFontDatabase::hasFamily(wanted)) {
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        if (!chinese.isEmpty())
            family = chinese.first();
    }
    QFont font(family);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    // The drawing rules ask for a 14-pixel line, ascent and descent together;
    // CJK faces need a smaller em for that than Latin ones.
    for (int pixels = ScenePainter::kTextLine; pixels > ScenePainter::kTextLine / 2; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= ScenePainter::kTextLine)
            break;
    }
    return font;
}

QString Padded(const QString& text)
{
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}

}  // namespace

ScenePainter::ScenePainter(MsgCenter& center, const Scene& scene, const SceneSelection& selection, AppConfig& config,
                           QWidget* window)
    : center_(center),
      window_(window),
      scene_(scene),
      selection_(selection),
      config_(config),
      font_(MapFont()),
      borderPen_(SolidPen(Qt::black, 2)),
      gridPen_(SolidPen(QColor(240, 194, 242), 1)),
      framePen_(SolidPen(QColor(255, 255, 0), 2)),
      selectionPen_(SolidPen(kRed, 2)),
      previewRedPen_(SolidPen(kRed, 2)),
      previewBluePen_(SolidPen(QColor(0, 0, 255), 2)),
      rulerPen_(SolidPen(kRed, 1)),
      rulerPreviewPen_(DottedPen(kRed)),
      dragPen_(DottedPen(kRed)),
      balkBrush_(QColor(255, 255, 255)),
      soilBrush_(QColor(0, 255, 0)),
      roadBrush_(QColor(233, 158, 245)),
      wallBrush_(QColor(0, 0, 0)),
      redBrush_(kRed)
{
    const QFontMetrics metrics(font_);
    fontAscent_ = metrics.ascent();
    fontHeight_ = metrics.height();
    center_.Register(this, &ScenePainter::OnMoveSceneCenter);
    center_.Register(this, &ScenePainter::OnZoomSceneSize);
    center_.Register(this, &ScenePainter::OnFlashTick);
}

ScenePainter::~ScenePainter()
{
    center_.Unregister(this, &ScenePainter::OnMoveSceneCenter);
    center_.Unregister(this, &ScenePainter::OnZoomSceneSize);
    center_.Unregister(this, &ScenePainter::OnFlashTick);
}

// ---- state ----

const ViewGeometry& ScenePainter::Geometry() const
{
    return geometry_;
}

void ScenePainter::Invalidate() const
{
    if (window_)
        window_->update();
}

void ScenePainter::SetSize(int width, int height)
{
    geometry_.SetWindowSize(width, height);
    surface_ = QImage();
    Invalidate();
}

void ScenePainter::ZoomStep(int delta)
{
    geometry_.ZoomStep(delta, config_.zoomKeepCenter);
    Invalidate();
}

void ScenePainter::Pan(int dx, int dy, bool snap)
{
    geometry_.Pan(dx, dy, snap);
    Invalidate();
}

void ScenePainter::SetCellSize(int cellSize)
{
    geometry_.SetCellSize(cellSize);
    Invalidate();
}

void ScenePainter::ScrollTo(int x, int y)
{
    geometry_.SetScroll(x, y);
    geometry_.Snap();
    Invalidate();
}

GridPoint ScenePainter::CellOfPixel(int px, int py) const
{
    return geometry_.CellOfPixel(px, py);
}

CellRect ScenePainter::CellRectOfDrag(int px1, int py1, int px2, int py2) const
{
    return geometry_.CellRectOfDrag(px1, py1, px2, py2, scene_);
}

QPoint ScenePainter::ScreenPointOfCell(int x, int y) const
{
    if (!window_)
        return QPoint(-1, -1);
    const PixelPoint p = geometry_.CellTopLeft(x, y);
    const QRect client = window_->rect();
    if (p.x < client.left() || p.x > client.right() || p.y < client.top() || p.y > client.bottom())
        return QPoint(-1, -1);
    return window_->mapToGlobal(ToQPoint(p));
}

void ScenePainter::SetDragRect(int px1, int py1, int px2, int py2)
{
    dragShown_ = true;
    dragRect_ = geometry_.DragRect(px1, py1, px2, py2);
    Invalidate();
}

void ScenePainter::SetRulerPreview(QPoint startPixel, QPoint currentPixel)
{
    rulerPreviewShown_ = true;
    const GridPoint start = geometry_.CellOfPixel(startPixel.x(), startPixel.y());
    const GridPoint end = geometry_.CellOfPixel(currentPixel.x(), currentPixel.y());
    rulerPreview_ = {start.x, start.y, end.x, end.y};
    Invalidate();
}

void ScenePainter::SetBuildingPreview(const CellRect& cells, bool placeable)
{
    buildPreviewShown_ = true;
    buildPreviewPlaceable_ = placeable;
    buildPreview_ = cells;
    Invalidate();
}

void ScenePainter::HidePreviews()
{
    buildPreviewShown_ = false;
    rulerPreviewShown_ = false;
    dragShown_ = false;
    Invalidate();
}

void ScenePainter::StartFlash(std::vector<GridPoint> cells, int countdown)
{
    flashActive_ = true;
    flashCountdown_ = countdown;
    flashCells_ = std::move(cells);
    Invalidate();
}

void ScenePainter::StopFlash()
{
    flashActive_ = false;
    flashCells_.clear();
    Invalidate();
}

bool ScenePainter::FlashActive() const
{
    return flashActive_;
}

int ScenePainter::FlashCountdown() const
{
    return flashCountdown_;
}

// ---- messages ----

void ScenePainter::OnMoveSceneCenter(const MoveSceneCenter_Msg* msg)
{
    geometry_.CenterOn(msg->x, msg->y);
    Invalidate();
}

void ScenePainter::OnZoomSceneSize(const ZoomSceneSize_Msg* msg)
{
    SetCellSize(msg->cellSize);
}

void ScenePainter::OnFlashTick(const Timer_Msg<1000>*)
{
    if (!flashActive_)
        return;
    // Qt draws on a window only inside its paint event; an immediate repaint
    // shows this tick's colour, which the flash pass takes from the countdown.
    if (window_)
        window_->repaint();
    --flashCountdown_;
    // A countdown started at 0 or below would otherwise never end.
    if (flashCountdown_ <= 0) {
        flashCountdown_ = 0;
        StopFlash();
    }
}

// ---- painting ----

void ScenePainter::Paint(QPainter& target)
{
    DrawSurface();
    if (!surface_.isNull())
        target.drawImage(0, 0, surface_);
}

QImage ScenePainter::Render()
{
    DrawSurface();
    return surface_;
}

void ScenePainter::DrawSurface()
{
    // Drawn at the screen's own pixel density, so a scaled screen shows it crisp.
    const qreal ratio = window_ ? window_->devicePixelRatioF() : 1.0;
    if (surface_.isNull() || surface_.devicePixelRatio() != ratio) {
        surface_ = QImage(QSize(geometry_.SurfaceWidth(), geometry_.SurfaceHeight()) * ratio, QImage::Format_RGB32);
        surface_.setDevicePixelRatio(ratio);
    }
    if (surface_.isNull())
        return;
    QPainter p(&surface_);
    DrawOnto(p);
}

void ScenePainter::DrawOnto(QPainter& p)
{
    p.setFont(font_);
    p.fillRect(QRect(0, 0, geometry_.SurfaceWidth(), geometry_.SurfaceHeight()), kBackground);

    DrawCells(p);
    if (config_.gridAuto ? geometry_.CellSize() > 7 : config_.gridShow)
        DrawGridLines(p);
    DrawBuildings(p);
    for (const Mark& mark : scene_.Marks())
        DrawRuler(p, {mark.x1, mark.y1, mark.x2, mark.y2}, rulerPen_);
    DrawSelection(p);
    if (rulerPreviewShown_)
        DrawRuler(p, rulerPreview_, rulerPreviewPen_);
    DrawDragRect(p);
    DrawBuildingPreview(p);
    DrawBorder(p);
    DrawEdgeNumbers(p);
    DrawFlash(p);
}

const QBrush* ScenePainter::CellBrush(std::int32_t value) const
{
    switch (value) {
    case CellBalk:
        return &balkBrush_;
    case CellSoil:
        return &soilBrush_;
    case CellRoad:
        return &roadBrush_;
    case CellWall:
        return &wallBrush_;
    default:
        return nullptr;
    }
}

void ScenePainter::DrawCells(QPainter& p) const
{
    const CellSpan columns = geometry_.VisibleColumns(0, GridSize - 1);
    const CellSpan rows = geometry_.VisibleRows(0, GridSize - 1);
    // Cells of one value touch without a gap, so a column's run of them is one fill.
    for (std::int64_t x = columns.first; x <= columns.last; ++x) {
        std::int64_t runStart = rows.first;
        while (runStart <= rows.last) {
            const std::int32_t value = scene_.CellAt(static_cast<std::int32_t>(x), static_cast<std::int32_t>(runStart));
            std::int64_t runEnd = runStart;
            while (runEnd + 1 <= rows.last &&
                   scene_.CellAt(static_cast<std::int32_t>(x), static_cast<std::int32_t>(runEnd + 1)) == value)
                ++runEnd;
            if (const QBrush* brush = CellBrush(value)) {
                if (const auto clipped = geometry_.ClipToView(geometry_.PixelRectOfCells(x, runStart, x, runEnd)))
                    p.fillRect(ToQRect(*clipped), *brush);
            }
            runStart = runEnd + 1;
        }
    }
}

void ScenePainter::DrawGridLines(QPainter& p) const
{
    const int m = geometry_.Margin();
    const int c = geometry_.CellSize();
    const int right = m + geometry_.ViewWidth();
    const int bottom = m + geometry_.ViewHeight();
    p.setPen(gridPen_);
    for (std::int64_t x = m + c - geometry_.ScrollX() % c; x <= right; x += c)
        p.drawLine(static_cast<int>(x), m, static_cast<int>(x), bottom);
    for (std::int64_t y = m + c - geometry_.ScrollY() % c; y <= bottom; y += c)
        p.drawLine(m, static_cast<int>(y), right, static_cast<int>(y));
}

void ScenePainter::DrawBuildings(QPainter& p)
{
    const std::vector<Build>& builds = scene_.Builds();
    // Cells are filled only inside the grid, each by the building drawn over it last.
    std::optional<BuildingCellOwners> owners;
    if (!config_.hideBuildGrid)
        owners.emplace(builds, geometry_.VisibleColumns(0, GridSize - 1), geometry_.VisibleRows(0, GridSize - 1));
    for (std::size_t i = 0; i < builds.size(); ++i) {
        const Build& build = builds[i];
        const PixelRect rect = geometry_.PixelRectOfCells(build.x, build.y, std::int64_t{build.x} + build.w - 1,
                                                          std::int64_t{build.y} + build.h - 1);
        const auto clipped = geometry_.ClipToView(rect);
        if (!clipped)
            continue;
        if (!config_.hideBuildFrame)
            DrawFrame(p, *clipped, framePen_);
        if (owners)
            DrawOwnedCells(p, FillColourOf(build), owners->RunsOf(i));
        else
            p.fillRect(ToQRect(*clipped), FillColourOf(build));
        if (!build.name.empty() && !config_.hideBuildName)
            DrawBuildingName(p, MeasuredName(build.name), *clipped);
    }
}

void ScenePainter::DrawBuildingName(QPainter& p, const MeasuredText& name, const PixelRect& clipped) const
{
    // A name stays inside its building: shortened to the building's width, left
    // out where not even the ellipsis or the line fits.
    const std::int64_t room = clipped.right - clipped.left;
    if (clipped.bottom - clipped.top < fontHeight_ || room <= 0)
        return;
    const PixelPoint centre{(clipped.left + clipped.right) / 2, (clipped.top + clipped.bottom) / 2};
    if (name.width <= room) {
        DrawPaddedLabel(p, name.text, name.width, centre, Qt::black, kNameBackground);
        return;
    }
    const QFontMetrics metrics(font_);
    const QString shortened = metrics.elidedText(name.text, Qt::ElideRight, static_cast<int>(room));
    if (shortened.trimmed().isEmpty() || shortened.trimmed() == QString(QChar(0x2026)))
        return;
    DrawPaddedLabel(p, shortened, metrics.horizontalAdvance(shortened), centre, Qt::black, kNameBackground);
}

void ScenePainter::DrawOwnedCells(QPainter& p, const QColor& colour, std::span<const BuildingCellOwners::Run> runs) const
{
    for (const BuildingCellOwners::Run& run : runs) {
        for (std::int64_t y = run.first; y <= run.last; ++y) {
            const PixelRect cell = geometry_.PixelRectOfCell(run.column, y);
            const PixelRect inner{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
            if (const auto shown = geometry_.ClipToView(inner))
                p.fillRect(ToQRect(*shown), colour);
        }
    }
}

QColor ScenePainter::FillColourOf(const Build& build) const
{
    if (build.colour != DefaultColour)
        return ToQColor(build.colour);
    if ((build.w == 2 && build.h == 3) || (build.w == 3 && build.h == 2))
        return ToQColor(config_.houseColor);
    if (build.w == 5 && build.h == 4)
        return ToQColor(config_.factoryColor);
    return ToQColor(config_.otherBuildColor);
}

const ScenePainter::MeasuredText& ScenePainter::MeasuredName(const std::string& name)
{
    if (const auto found = nameCache_.find(name); found != nameCache_.end())
        return found->second;
    if (nameCache_.size() >= kNameCacheEntries || nameCacheBytes_ + name.size() > kNameCacheBytes) {
        nameCache_.clear();
        nameCacheBytes_ = 0;
    }
    nameCacheBytes_ += name.size();
    MeasuredText measured;
    measured.text = Padded(FromModelText(name));
    measured.width = QFontMetrics(font_).horizontalAdvance(measured.text);
    return nameCache_.emplace(name, std::move(measured)).first->second;
}

void ScenePainter::DrawRuler(QPainter& p, const CellRect& startAndEnd, const QPen& pen)
{
    const auto shape = geometry_.Ruler(startAndEnd);
    if (!shape)
        return;
    p.setPen(pen);
    p.setBrush(redBrush_);
    if (shape->startDot)
        p.drawPie(QRect(ToQPoint(shape->start) - QPoint(2, 2), QSize(4, 4)), 0, 360 * 16);
    if (shape->endDot)
        p.drawPie(QRect(ToQPoint(shape->end) - QPoint(2, 2), QSize(4, 4)), 0, 360 * 16);
    p.drawLine(ToQPoint(shape->start), ToQPoint(shape->end));
    const QString label = Padded(QString::number(shape->length));
    DrawPaddedLabel(p, label, QFontMetrics(font_).horizontalAdvance(label), shape->labelCentre, kRed, Qt::white);
}

void ScenePainter::DrawSelection(QPainter& p) const
{
    for (const CellRect& rect : selection_.Rects()) {
        if (const auto clipped = geometry_.ClipToView(geometry_.PixelRectOfCells(rect)))
            DrawFrame(p, *clipped, selectionPen_);
    }
}

void ScenePainter::DrawDragRect(QPainter& p)
{
    if (!dragShown_ || dragRect_ == PixelRect{-1, -1, -1, -1})
        return;
    const QRect outline = ToQRect(dragRect_);
    p.setPen(dragPen_);
    p.setBrush(Qt::NoBrush);
    p.drawRect(outline.adjusted(0, 0, -1, -1));
    const CellRect cells =
        geometry_.CellRectOfDrag(dragRect_.left, dragRect_.top, dragRect_.right, dragRect_.bottom, scene_);
    const QString label = Padded(QStringLiteral("%1 X %2")
                                     .arg(std::int64_t{cells.x2} - cells.x1 + 1)
                                     .arg(std::int64_t{cells.y2} - cells.y1 + 1));
    DrawPaddedLabel(p, label, QFontMetrics(font_).horizontalAdvance(label),
                    {(dragRect_.left + dragRect_.right) / 2, (dragRect_.top + dragRect_.bottom) / 2}, kRed, Qt::white);
}

void ScenePainter::DrawBuildingPreview(QPainter& p) const
{
    if (!buildPreviewShown_)
        return;
    if (const auto clipped = geometry_.ClipToView(geometry_.PixelRectOfCells(buildPreview_)))
        DrawFrame(p, *clipped, buildPreviewPlaceable_ ? previewBluePen_ : previewRedPen_);
}

void ScenePainter::DrawBorder(QPainter& p) const
{
    p.setPen(borderPen_);
    p.setBrush(Qt::NoBrush);
    p.drawRect(geometry_.Margin(), geometry_.Margin(), geometry_.ViewWidth(), geometry_.ViewHeight());
}

void ScenePainter::DrawEdgeNumbers(QPainter& p) const
{
    const QFontMetrics metrics(font_);
    const int step = geometry_.EdgeNumberStep();
    p.setPen(Qt::black);
    for (int i = 0; i < GridSize; i += step) {
        const QString text = QString::number(i + 1);
        const int width = metrics.horizontalAdvance(text);
        if (const auto top = geometry_.TopNumberPosition(i, width, fontHeight_))
            p.drawText(ToQPoint(*top) + QPoint(0, fontAscent_), text);
        if (const auto left = geometry_.LeftNumberPosition(i, width, fontHeight_))
            p.drawText(ToQPoint(*left) + QPoint(0, fontAscent_), text);
    }
}

void ScenePainter::DrawFlash(QPainter& p) const
{
    if (!flashActive_)
        return;
    const bool red = flashCountdown_ % 2 == 0;
    for (const GridPoint& cell : flashCells_) {
        if (!InGrid(cell.x, cell.y))
            continue;
        const QBrush* brush = red ? &redBrush_ : CellBrush(scene_.CellAt(cell.x, cell.y));
        if (!brush)
            continue;
        if (const auto clipped = geometry_.ClipToView(geometry_.PixelRectOfCell(cell.x, cell.y)))
            p.fillRect(ToQRect(*clipped), *brush);
    }
}

void ScenePainter::DrawFrame(QPainter& p, const PixelRect& clipped, const QPen& pen) const
{
    const FrameEdges edges = geometry_.FrameEdgesOf(clipped);
    const QRect r = ToQRect(clipped);
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    p.setPen(pen);
    if (edges.top)
        p.drawLine(r.left(), r.top(), right, r.top());
    if (edges.bottom)
        p.drawLine(r.left(), bottom, right, bottom);
    if (edges.left)
        p.drawLine(r.left(), r.top(), r.left(), bottom);
    if (edges.right)
        p.drawLine(right, r.top(), right, bottom);
}

void ScenePainter::DrawPaddedLabel(QPainter& p, const QString& padded, int width, PixelPoint centre, QColor text,
                                   QColor background) const
{
    const auto at = geometry_.PlaceLabel(centre, width, fontHeight_);
    if (!at)
        return;
    const QPoint topLeft = ToQPoint(*at);
    p.fillRect(QRect(topLeft, QSize(width, fontHeight_)), background);
    p.setPen(text);
    p.drawText(topLeft + QPoint(0, fontAscent_), padded);
}
