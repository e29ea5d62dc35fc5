#pragma once

#include "msg/MsgTypes.h"
#include "scene/CellRect.h"
#include "view/BuildingCellOwners.h"
#include "view/ViewGeometry.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class AppConfig;
class MsgCenter;
class QPainter;
class QWidget;
class Scene;
class SceneSelection;
struct Build;
struct MoveSceneCenter_Msg;
struct ZoomSceneSize_Msg;
template <int N>
struct Timer_Msg;

// Draws the map view: cells, grid, buildings, rulers, selection, previews,
// border, edge numbers and the road flash, in a fixed order into an
// off-screen surface that is copied to the window in one piece. Also handles
// the view's own messages (centre, zoom, the flash's 1000 ms tick).
class ScenePainter {
public:
    // Height in pixels of a line of the map's texts.
    static constexpr int kTextLine = 14;

    // `window` may be nullptr (drawing to an image only, as the command-line tool does).
    ScenePainter(MsgCenter& center, const Scene& scene, const SceneSelection& selection, AppConfig& config,
                 QWidget* window);
    ~ScenePainter();
    ScenePainter(const ScenePainter&) = delete;
    ScenePainter& operator=(const ScenePainter&) = delete;

    // Paints the whole surface and copies it to `target` at (0, 0).
    void Paint(QPainter& target);
    // The surface as drawn now, for the command-line tool and tests.
    QImage Render();
    // Draws the surface onto any paint device at (0, 0), e.g. an SVG file.
    void DrawOnto(QPainter& p);

    // The whole widget's size in pixels; the view area is the size less the margin on each side.
    void SetSize(int width, int height);
    void ZoomStep(int delta);
    void Pan(int dx, int dy, bool snap);
    // As a zoom message would, but for this painter alone.
    void SetCellSize(int cellSize);
    // Puts the view's top-left at this pixel of the map picture, on a cell boundary.
    void ScrollTo(int x, int y);

    GridPoint CellOfPixel(int px, int py) const;
    // Sorted corners of a pixel drag; one building cell widens to the whole building.
    CellRect CellRectOfDrag(int px1, int py1, int px2, int py2) const;
    // The top-left pixel of a cell in screen coordinates, or (-1, -1) when it
    // is not inside the window.
    QPoint ScreenPointOfCell(int x, int y) const;

    void SetDragRect(int px1, int py1, int px2, int py2);
    void SetRulerPreview(QPoint startPixel, QPoint currentPixel);
    void SetBuildingPreview(const CellRect& cells, bool placeable);
    // Hides the building preview, the ruler preview and the drag rectangle.
    void HidePreviews();

    void StartFlash(std::vector<GridPoint> cells, int countdown);
    void StopFlash();
    bool FlashActive() const;
    int FlashCountdown() const;

    const ViewGeometry& Geometry() const;

private:
    struct MeasuredText {
        QString text;  // padded with one blank on each side
        int width = 0;
    };

    void OnMoveSceneCenter(const MoveSceneCenter_Msg* msg);
    void OnZoomSceneSize(const ZoomSceneSize_Msg* msg);
    void OnFlashTick(const Timer_Msg<1000>* msg);
    void Invalidate() const;

    void DrawSurface();
    void DrawCells(QPainter& p) const;
    void DrawGridLines(QPainter& p) const;
    void DrawBuildings(QPainter& p);
    void DrawOwnedCells(QPainter& p, const QColor& colour, std::span<const BuildingCellOwners::Run> runs) const;
    void DrawBuildingName(QPainter& p, const MeasuredText& name, const PixelRect& clipped) const;
    void DrawRuler(QPainter& p, const CellRect& startAndEnd, const QPen& pen);
    void DrawSelection(QPainter& p) const;
    void DrawDragRect(QPainter& p);
    void DrawBuildingPreview(QPainter& p) const;
    void DrawBorder(QPainter& p) const;
    void DrawEdgeNumbers(QPainter& p) const;
    void DrawFlash(QPainter& p) const;

    void DrawFrame(QPainter& p, const PixelRect& clipped, const QPen& pen) const;
    void DrawPaddedLabel(QPainter& p, const QString& padded, int width, PixelPoint centre, QColor text,
                         QColor background) const;
    const MeasuredText& MeasuredName(const std::string& name);
    QColor FillColourOf(const Build& build) const;
    // Null for values that are not filled (under buildings, unknown digits).
    const QBrush* CellBrush(std::int32_t value) const;

    MsgCenter& center_;
    QWidget* window_;
    const Scene& scene_;
    const SceneSelection& selection_;
    AppConfig& config_;
    ViewGeometry geometry_;
    QImage surface_;

    bool buildPreviewShown_ = false;
    bool buildPreviewPlaceable_ = false;
    CellRect buildPreview_;
    bool rulerPreviewShown_ = false;
    CellRect rulerPreview_;
    bool dragShown_ = false;
    PixelRect dragRect_{-1, -1, -1, -1};

    bool flashActive_ = false;
    int flashCountdown_ = 0;
    std::vector<GridPoint> flashCells_;

    // Drawing objects are made once and kept.
    QFont font_;
    int fontAscent_ = 0;
    int fontHeight_ = 0;
    QPen borderPen_;
    QPen gridPen_;
    QPen framePen_;
    QPen selectionPen_;
    QPen previewRedPen_;
    QPen previewBluePen_;
    QPen rulerPen_;
    QPen rulerPreviewPen_;
    QPen dragPen_;
    QBrush balkBrush_;
    QBrush soilBrush_;
    QBrush roadBrush_;
    QBrush wallBrush_;
    QBrush redBrush_;
    // Names are converted and measured once; a map may bring thousands of long ones.
    std::unordered_map<std::string, MeasuredText> nameCache_;
    std::size_t nameCacheBytes_ = 0;
};
