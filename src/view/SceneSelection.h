#pragma once

#include "scene/Build.h"
#include "scene/CellRect.h"
#include "scene/GridRect.h"
#include "scene/Mark.h"

#include <optional>
#include <vector>

class Scene;

// The map view's selection: cell rectangles (corners inclusive, x1 <= x2,
// y1 <= y2). A building is selected when all its cells are, a ruler when both
// its ends are. The edit operations hand their commands to the command history.
class SceneSelection {
public:
    explicit SceneSelection(const Scene& scene) : scene_(scene) {}

    void Clear() { rects_.clear(); }
    // Corners given in any order are sorted.
    void Add(const CellRect& rect);
    const std::vector<CellRect>& Rects() const { return rects_; }

    bool Contains(int x, int y) const;
    // In the scene's building order. A building reaching outside the grid,
    // or without any cell, is never selected.
    std::vector<Build> SelectedBuildings() const;
    bool HasBuildings() const;
    std::vector<Mark> SelectedRulers() const;
    bool HasRulers() const;
    std::optional<Build> SingleBuilding() const;
    bool CanLight() const;
    bool CanErase() const;
    bool CanLayOut() const;

    void FillSoil() const;
    void Erase() const;
    void FillRoad() const;
    void FillWall() const;
    void DeleteBuildings() const;
    void DeleteRulers() const;
    void LayOut() const;

    // (x1, y1, width, height) of a selection rectangle; a size that does not
    // fit 32 bits saturates, which the bounds rule then refuses.
    static GridRect ToGridRect(const CellRect& rect);

private:
    bool AnyRectHolds(int cellValue) const;
    template <class Command>
    void FillEach() const;

    const Scene& scene_;
    std::vector<CellRect> rects_;
};
