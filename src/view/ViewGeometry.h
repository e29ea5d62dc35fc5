#pragma once

#include "msg/MsgTypes.h"
#include "scene/CellRect.h"
#include "scene/SceneTypes.h"

#include <cstdint>
#include <optional>

class Scene;

// Pixel rectangle of the map view, right and bottom exclusive. 64-bit because
// buildings and rulers from a map file may lie anywhere in 32-bit cell space.
struct PixelRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Which sides of a clipped rectangle get a frame edge: none where the view border cuts it.
struct FrameEdges {
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
};

// A ruler as it is drawn, in window pixels (margin included).
struct RulerShape {
    PixelPoint start;
    PixelPoint end;
    bool startDot = false;  // false when the view border cuts the start cell
    bool endDot = false;
    PixelPoint labelCentre;
    std::int64_t length = 0;  // in cells
};

// Indices [first, last] of one axis; empty when first > last.
struct CellSpan {
    std::int64_t first = 0;
    std::int64_t last = -1;

    bool IsEmpty() const { return first > last; }
};

// The map view's coordinate model: a margin strip around the view area, the
// cell size in pixels and the pixel scroll of the view inside the whole map
// picture (250 × cell size pixels). Converts between cells and pixels and
// keeps the scroll inside the map after every change.
class ViewGeometry {
public:
    static constexpr int kMargin = 25;
    static constexpr int kLabelGap = 2;      // edge numbers to view border
    static constexpr int kLabelSpacing = 40;  // wanted distance of edge numbers
    static constexpr int kInitialViewSize = 500;
    static constexpr int kInitialCellSize = 10;
    static constexpr int kMinCellSize = 2;
    // 250 × cell size is the width of the map picture and the scroll limit;
    // it has to stay a 32-bit value, so a bigger zoom request stops here.
    static constexpr int kMaxCellSize = INT32_MAX / GridSize;

    int Margin() const { return kMargin; }
    int ViewWidth() const { return viewWidth_; }
    int ViewHeight() const { return viewHeight_; }
    int SurfaceWidth() const { return viewWidth_ + 2 * kMargin; }
    int SurfaceHeight() const { return viewHeight_ + 2 * kMargin; }
    int CellSize() const { return cellSize_; }
    int ScrollX() const { return static_cast<int>(scrollX_); }
    int ScrollY() const { return static_cast<int>(scrollY_); }

    // The window's whole size; the view area is that less the margin on each side.
    void SetWindowSize(int width, int height);
    // Raised to 2 and capped at kMaxCellSize; the scroll offset stays, then clamp and snap.
    void SetCellSize(std::int64_t cellSize);
    // One wheel notch: the cell size changes by one pixel whatever the delta.
    void ZoomStep(int delta, bool keepCentre);
    void Pan(std::int64_t dx, std::int64_t dy, bool snap);
    // Puts the cell near the view's centre (on a cell boundary).
    void CenterOn(std::int32_t x, std::int32_t y);
    void SetScroll(std::int64_t x, std::int64_t y);

    // Keeps the scroll inside the map picture; the upper limit is applied
    // last, so a map narrower than the view sits against the right or bottom.
    void Clamp();
    // Moves the scroll back to a cell boundary.
    void Snap();

    // Truncating division: a pixel up to one cell left of the map still gives column 0.
    GridPoint CellOfPixel(std::int64_t px, std::int64_t py) const;
    PixelPoint CellTopLeft(std::int64_t x, std::int64_t y) const;
    PixelRect PixelRectOfCells(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) const;
    PixelRect PixelRectOfCells(const CellRect& cells) const;
    PixelRect PixelRectOfCell(std::int64_t x, std::int64_t y) const;

    bool IsOutsideView(const PixelRect& rect) const;
    // The part of `rect` inside the view area; nothing when it lies wholly
    // outside or nothing of it is left to draw (zero or negative extent).
    std::optional<PixelRect> ClipToView(const PixelRect& rect) const;
    FrameEdges FrameEdgesOf(const PixelRect& clipped) const;

    // The columns (rows) whose cells are not wholly outside the view, limited to [lo, hi].
    CellSpan VisibleColumns(std::int64_t lo, std::int64_t hi) const;
    CellSpan VisibleRows(std::int64_t lo, std::int64_t hi) const;

    // Sorted cell corners of a pixel drag; one cell of a building widens to the building.
    CellRect CellRectOfDrag(std::int64_t px1, std::int64_t py1, std::int64_t px2, std::int64_t py2,
                            const Scene& scene) const;
    // The drag rectangle as shown: sorted and clipped, or all -1 when wholly outside.
    PixelRect DragRect(std::int64_t px1, std::int64_t py1, std::int64_t px2, std::int64_t py2) const;

    // Every step-th cell is numbered along the edges, so labels stay about 40 px apart.
    int EdgeNumberStep() const;
    // Top-left of the number of column (row) `index`, or nothing when its cell
    // centre is outside the view's width (height).
    std::optional<PixelPoint> TopNumberPosition(int index, int textWidth, int textHeight) const;
    std::optional<PixelPoint> LeftNumberPosition(int index, int textWidth, int textHeight) const;

    // Top-left of a label of the given extent centred on `centre` and pushed
    // into the view; nothing when it does not fit into the view.
    std::optional<PixelPoint> PlaceLabel(PixelPoint centre, std::int64_t textWidth, std::int64_t textHeight) const;

    // The ruler from cell (start) to cell (end); nothing when its line falls on the view border.
    std::optional<RulerShape> Ruler(const CellRect& startAndEnd) const;

private:
    CellSpan VisibleSpan(std::int64_t scroll, std::int64_t viewSize, std::int64_t lo, std::int64_t hi) const;

    int viewWidth_ = kInitialViewSize;
    int viewHeight_ = kInitialViewSize;
    int cellSize_ = kInitialCellSize;
    // Clamp keeps both within 32 bits; the arithmetic on the way is 64-bit.
    std::int64_t scrollX_ = 0;
    std::int64_t scrollY_ = 0;
};
