#pragma once

#include <QByteArray>
#include <QImage>

#include <filesystem>
#include <functional>
#include <optional>

class AppConfig;
class MsgCenter;
class Scene;
class ScenePainter;
class ViewGeometry;

// Pictures of the map drawn by the map view's own painter, margins and edge
// numbers included, without selection or previews: for the window's image
// export and the command-line tool's render.
class MapPicture {
public:
    // 64-pixel cells already make a 16,050-pixel square picture.
    static constexpr int kMaxCellSize = 64;

    // The cells a picture shows.
    struct CellArea {
        int firstColumn = 0;
        int firstRow = 0;
        int columns = 0;
        int rows = 0;
    };

    MapPicture(MsgCenter& center, const Scene& scene, AppConfig& config);

    static CellArea WholeMapArea();
    // The cells that `view` shows at least partly; nothing when it shows none.
    static std::optional<CellArea> AreaInView(const ViewGeometry& view);

    // Null when the cell size is outside 2 … kMaxCellSize or memory runs out.
    QImage Draw(int cellSize, const CellArea& area) const;
    QImage WholeMap(int cellSize) const { return Draw(cellSize, WholeMapArea()); }
    // The same drawing as SVG; empty when the cell size is outside 2 … kMaxCellSize.
    QByteArray DrawSvg(int cellSize, const CellArea& area) const;

    // Write through a temporary file, so a failed write keeps the old file.
    static bool SavePng(const QImage& picture, const std::filesystem::path& file);
    static bool SaveBytes(const QByteArray& bytes, const std::filesystem::path& file);

private:
    // The painter of a picture of `area` at `cellSize`, handed to `draw`; false at an impossible cell size.
    bool WithPainter(int cellSize, const CellArea& area, const std::function<void(ScenePainter&)>& draw) const;

    MsgCenter& center_;
    const Scene& scene_;
    AppConfig& config_;
};
