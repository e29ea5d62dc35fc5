#include "view/MapPicture.h"

#include "platform/SafeFileWrite.h"
#include "scene/SceneTypes.h"
#include "view/ScenePainter.h"
#include "view/SceneSelection.h"
#include "view/ViewGeometry.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cstdint>

MapPicture::MapPicture(MsgCenter& center, const Scene& scene, AppConfig& config)
    : center_(center), scene_(scene), config_(config)
{
}

namespace {

// The cells of one axis that have at least one pixel in the view.
CellSpan CellsInView(std::int64_t scroll, std::int64_t viewSize, std::int64_t cellSize)
{
    const std::int64_t first = scroll < 0 ? 0 : scroll / cellSize;
    const std::int64_t end = scroll + viewSize;
    const std::int64_t last = end <= 0 ? -1 : (end - 1) / cellSize;
    return {first, std::min<std::int64_t>(last, GridSize - 1)};
}

}  // namespace

MapPicture::CellArea MapPicture::WholeMapArea()
{
    return CellArea{0, 0, GridSize, GridSize};
}

std::optional<MapPicture::CellArea> MapPicture::AreaInView(const ViewGeometry& view)
{
    const CellSpan columns = CellsInView(view.ScrollX(), view.ViewWidth(), view.CellSize());
    const CellSpan rows = CellsInView(view.ScrollY(), view.ViewHeight(), view.CellSize());
    if (columns.IsEmpty() || rows.IsEmpty())
        return std::nullopt;
    return CellArea{static_cast<int>(columns.first), static_cast<int>(rows.first),
                    static_cast<int>(columns.last - columns.first + 1), static_cast<int>(rows.last - rows.first + 1)};
}

bool MapPicture::WithPainter(int cellSize, const CellArea& area, const std::function<void(ScenePainter&)>& draw) const
{
    if (cellSize < ViewGeometry::kMinCellSize || cellSize > kMaxCellSize)
        return false;
    // A painter of its own: the one on screen keeps its zoom and scroll.
    const SceneSelection nothingSelected(scene_);
    ScenePainter painter(center_, scene_, nothingSelected, config_, nullptr);
    painter.SetSize(area.columns * cellSize + 2 * ViewGeometry::kMargin, area.rows * cellSize + 2 * ViewGeometry::kMargin);
    painter.SetCellSize(cellSize);
    painter.ScrollTo(area.firstColumn * cellSize, area.firstRow * cellSize);
    draw(painter);
    return true;
}

QImage MapPicture::Draw(int cellSize, const CellArea& area) const
{
    QImage picture;
    WithPainter(cellSize, area, [&picture](ScenePainter& painter) { picture = painter.Render().copy(); });
    return picture;
}

QByteArray MapPicture::DrawSvg(int cellSize, const CellArea& area) const
{
    QByteArray bytes;
    WithPainter(cellSize, area, [&bytes](ScenePainter& painter) {
        QBuffer buffer(&bytes);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        const QSize size(painter.Geometry().SurfaceWidth(), painter.Geometry().SurfaceHeight());
        // At 96 dots an inch the file's size in millimetres is one CSS pixel per pixel.
        svg.setResolution(96);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("QuarrinLayvane"));
        QPainter p(&svg);
        painter.DrawOnto(p);
    });
    return bytes;
}

bool MapPicture::SavePng(const QImage& picture, const std::filesystem::path& file)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return false;
    return SaveBytes(bytes, file);
}

bool MapPicture::SaveBytes(const QByteArray& bytes, const std::filesystem::path& file)
{
    if (bytes.isEmpty())
        return false;
    return platform::WriteFileSafely(file, [&bytes](std::ostream& out) {
        out.write(bytes.constData(), bytes.size());
    });
}
