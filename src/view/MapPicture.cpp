#include "view/MapPicture.h"

#include "platform/SafeFileWrite.h"
#include "scene/SceneTypes.h"
#include "view/ScenePainter.h"
#include "view/SceneSelection.h"
#include "view/ViewGeometry.h"

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <cstdint>

MapPicture::MapPicture(MsgCenter& center, const Scene& scene, AppConfig& config)
    : center_(center), scene_(scene), config_(config)
{
}

QImage MapPicture::WholeMap(int cellSize) const
{
    return Draw(cellSize, 0, 0, GridSize, GridSize);
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

QImage MapPicture::PartInView(const ViewGeometry& view, int cellSize) const
{
    const CellSpan columns = CellsInView(view.ScrollX(), view.ViewWidth(), view.CellSize());
    const CellSpan rows = CellsInView(view.ScrollY(), view.ViewHeight(), view.CellSize());
    if (columns.IsEmpty() || rows.IsEmpty())
        return QImage();
    return Draw(cellSize, static_cast<int>(columns.first), static_cast<int>(rows.first),
                static_cast<int>(columns.last - columns.first + 1), static_cast<int>(rows.last - rows.first + 1));
}

QImage MapPicture::Draw(int cellSize, int firstColumn, int firstRow, int columns, int rows) const
{
    if (cellSize < ViewGeometry::kMinCellSize || cellSize > kMaxCellSize)
        return QImage();
    // A painter of its own: the one on screen keeps its zoom and scroll.
    const SceneSelection nothingSelected(scene_);
    ScenePainter painter(center_, scene_, nothingSelected, config_, nullptr);
    painter.SetSize(columns * cellSize + 2 * ViewGeometry::kMargin, rows * cellSize + 2 * ViewGeometry::kMargin);
    painter.SetCellSize(cellSize);
    painter.ScrollTo(firstColumn * cellSize, firstRow * cellSize);
    return painter.Render().copy();
}

bool MapPicture::SavePng(const QImage& picture, const std::filesystem::path& file)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return false;
    return platform::WriteFileSafely(file, [&bytes](std::ostream& out) {
        out.write(bytes.constData(), bytes.size());
    });
}
