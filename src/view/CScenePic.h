#pragma once

#include "msg/MsgTypes.h"
#include "scene/Mark.h"
#include "view/SceneMenu.h"
#include "view/ScenePainter.h"
#include "view/SceneSelection.h"
#include "view/ToolCursors.h"
#include "view/WheelSteps.h"

#include <QPoint>
#include <QWidget>

#include <filesystem>
#include <vector>

class AppConfig;
class MsgCenter;
class QAction;
class QMenu;
class QScrollBar;
class Scene;

// The map view: shows the scene through its ScenePainter and turns mouse and
// keyboard input into edit commands. It never changes the scene itself.
class CScenePic : public QWidget {
    Q_OBJECT

public:
    enum class ToolKind { Pointer = 0, Soil = 1, Erase = 2, Ruler = 3, Building = 4, Wall = 5, Road = 6 };

    CScenePic(MsgCenter& center, Scene& scene, AppConfig& config, QWidget* parent = nullptr);
    ~CScenePic() override;

    // Widget and drawing surface together.
    void SetViewSize(int width, int height);

    // Ends every gesture and empties the selection.
    void SelectTool(ToolKind kind, int width, int height, bool houseColour);
    void SetColours(ColorRef house, ColorRef other);
    ToolKind Tool() const { return tool_; }

    SceneSelection& Selection() { return selection_; }
    ScenePainter& Painter() { return painter_; }

    std::vector<SceneMenuItem> MenuItems() const { return menu_.Items(); }
    void RunMenuAction(int id);
    // The last context menu shown, or nullptr before the first.
    QMenu* ContextMenu() const { return popup_; }

    // "导出图片": asks what to draw and where, then writes a PNG.
    void ExportImage();
    // Draws the whole map or the part in view with the view's painter; false when it could not be written.
    bool ExportImageTo(const std::filesystem::path& file, bool wholeMap, int cellSize) const;
    QAction* ExportAction() const { return exportAction_; }

    // A right click opens the menu; moving further than this pans only.
    static bool OpensMenu(QPoint press, QPoint release);
    // The ruler from the first clicked cell towards the second, straight
    // along the longer distance; ties are vertical.
    static Mark RulerBetween(GridPoint start, GridPoint end);
    // Cells one arrow key moves the view.
    static constexpr int kArrowCells = 4;

    // They sit in the right and bottom margins, so the view area keeps its size.
    QScrollBar* HorizontalBar() const { return horizontalBar_; }
    QScrollBar* VerticalBar() const { return verticalBar_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool DragsRectangles() const;
    void LeftPress(QPoint at);
    void LeftRelease(QPoint at);
    void RightPress(QPoint at);
    void RightRelease(QPoint at);
    void RulerClick(QPoint at);
    void PlaceBuilding(QPoint at);
    CellRect BuildingFootprint(GridPoint cell) const;
    bool Fits(const CellRect& footprint) const;
    void ApplyToolToSelection();
    void OpenContextMenu(QPoint globalPos);
    void UpdateCursor();
    void Zoom(int steps);
    void PlaceScrollBars();
    void SyncScrollBars();
    void ScrollBarMoved();

    MsgCenter& center_;
    Scene& scene_;
    AppConfig& config_;
    SceneSelection selection_;
    ScenePainter painter_;
    SceneMenu menu_;
    ToolCursors cursors_;
    QMenu* popup_ = nullptr;
    QAction* exportAction_;
    QScrollBar* horizontalBar_;
    QScrollBar* verticalBar_;
    WheelSteps wheel_;

    ToolKind tool_ = ToolKind::Pointer;
    int buildWidth_ = 1;
    int buildHeight_ = 1;
    bool houseColour_ = false;
    ColorRef houseColourValue_;
    ColorRef otherColourValue_;

    bool leftDrag_ = false;
    bool panning_ = false;
    bool rulerStarted_ = false;
    QPoint pressPoint_;
    QPoint panPressPoint_;
    QPoint lastPanPoint_;
};
