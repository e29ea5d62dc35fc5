#pragma once

#include <QImage>

#include <filesystem>

class AppConfig;
class MsgCenter;
class Scene;
class ViewGeometry;

// Pictures of the map drawn by the map view's own painter, margins and edge
// numbers included, without selection or previews: for the window's image
// export and the command-line tool's render.
class MapPicture {
public:
    // 64-pixel cells already make a 16,050-pixel square picture.
    static constexpr int kMaxCellSize = 64;

    MapPicture(MsgCenter& center, const Scene& scene, AppConfig& config);

    // Null when the cell size is outside 2 … kMaxCellSize or memory runs out.
    QImage WholeMap(int cellSize) const;
    // The cells that `view` shows at least partly, drawn at `cellSize`.
    QImage PartInView(const ViewGeometry& view, int cellSize) const;

    // Writes the picture as PNG through a temporary file, so a failed write keeps the old file.
    static bool SavePng(const QImage& picture, const std::filesystem::path& file);

private:
    QImage Draw(int cellSize, int firstColumn, int firstRow, int columns, int rows) const;

    MsgCenter& center_;
    const Scene& scene_;
    AppConfig& config_;
};
