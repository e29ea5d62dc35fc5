#include "view/SceneSelection.h"

#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "scene/Scene.h"
#include "scene/SceneTypes.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

namespace {

// Counts of selected cells over every prefix of the grid, so that asking
// whether a footprint is wholly selected costs four look-ups however large
// the footprint or however many rectangles cover it.
class SelectedCellCounts {
public:
    explicit SelectedCellCounts(const std::vector<CellRect>& rects)
    {
        std::vector<bool> selected(static_cast<std::size_t>(GridCells), false);
        for (const CellRect& r : rects) {
            const int x1 = std::max(r.x1, 0);
            const int y1 = std::max(r.y1, 0);
            const int x2 = std::min(r.x2, GridSize - 1);
            const int y2 = std::min(r.y2, GridSize - 1);
            for (int x = x1; x <= x2; ++x) {
                for (int y = y1; y <= y2; ++y)
                    selected[static_cast<std::size_t>(y * GridSize + x)] = true;
            }
        }
        for (int y = 0; y < GridSize; ++y) {
            for (int x = 0; x < GridSize; ++x) {
                At(x + 1, y + 1) = At(x, y + 1) + At(x + 1, y) - At(x, y) +
                                   (selected[static_cast<std::size_t>(y * GridSize + x)] ? 1 : 0);
            }
        }
    }

    bool WhollySelected(const Build& b) const
    {
        const std::int64_t right = std::int64_t{b.x} + b.w;
        const std::int64_t bottom = std::int64_t{b.y} + b.h;
        if (b.w <= 0 || b.h <= 0 || b.x < 0 || b.y < 0 || right > GridSize || bottom > GridSize)
            return false;
        const int r = static_cast<int>(right);
        const int t = static_cast<int>(bottom);
        const std::int64_t count = At(r, t) - At(b.x, t) - At(r, b.y) + At(b.x, b.y);
        return count == std::int64_t{b.w} * b.h;
    }

private:
    static constexpr int kSide = GridSize + 1;
    std::int32_t& At(int x, int y) { return counts_[static_cast<std::size_t>(y * kSide + x)]; }
    std::int32_t At(int x, int y) const { return counts_[static_cast<std::size_t>(y * kSide + x)]; }

    std::vector<std::int32_t> counts_ = std::vector<std::int32_t>(static_cast<std::size_t>(kSide * kSide), 0);
};

std::int32_t SaturatedExtent(std::int32_t from, std::int32_t to)
{
    const std::int64_t extent = std::int64_t{to} - from + 1;
    return static_cast<std::int32_t>(std::min<std::int64_t>(extent, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void SceneSelection::Add(const CellRect& rect)
{
    rects_.push_back(CellRect{std::min(rect.x1, rect.x2), std::min(rect.y1, rect.y2), std::max(rect.x1, rect.x2),
                              std::max(rect.y1, rect.y2)});
}

GridRect SceneSelection::ToGridRect(const CellRect& rect)
{
    return GridRect{rect.x1, rect.y1, SaturatedExtent(rect.x1, rect.x2), SaturatedExtent(rect.y1, rect.y2)};
}

bool SceneSelection::Contains(int x, int y) const
{
    return std::any_of(rects_.begin(), rects_.end(),
                       [&](const CellRect& r) { return r.x1 <= x && x <= r.x2 && r.y1 <= y && y <= r.y2; });
}

std::vector<Build> SceneSelection::SelectedBuildings() const
{
    std::vector<Build> selected;
    if (rects_.empty() || scene_.Builds().empty())
        return selected;
    const SelectedCellCounts counts(rects_);
    for (const Build& b : scene_.Builds()) {
        if (counts.WhollySelected(b))
            selected.push_back(b);
    }
    return selected;
}

bool SceneSelection::HasBuildings() const
{
    return !SelectedBuildings().empty();
}

std::vector<Mark> SceneSelection::SelectedRulers() const
{
    std::vector<Mark> selected;
    for (const Mark& m : scene_.Marks()) {
        if (Contains(m.x1, m.y1) && Contains(m.x2, m.y2))
            selected.push_back(m);
    }
    return selected;
}

bool SceneSelection::HasRulers() const
{
    return !SelectedRulers().empty();
}

std::optional<Build> SceneSelection::SingleBuilding() const
{
    if (rects_.size() != 1)
        return std::nullopt;
    const CellRect& r = rects_.front();
    const Build* b = scene_.FindBuildAt(r.x1, r.y1);
    if (b == nullptr || b->x != r.x1 || b->y != r.y1 || std::int64_t{b->x} + b->w - 1 != r.x2 ||
        std::int64_t{b->y} + b->h - 1 != r.y2)
        return std::nullopt;
    return *b;
}

bool SceneSelection::AnyRectHolds(int cellValue) const
{
    return std::any_of(rects_.begin(), rects_.end(), [&](const CellRect& r) {
        const GridRect g = ToGridRect(r);
        return scene_.RectAny(g.x, g.y, g.w, g.h, cellValue);
    });
}

bool SceneSelection::CanLight() const
{
    return AnyRectHolds(CellBalk);
}

bool SceneSelection::CanErase() const
{
    return AnyRectHolds(CellSoil) || AnyRectHolds(CellWall) || AnyRectHolds(CellRoad);
}

bool SceneSelection::CanLayOut() const
{
    return AnyRectHolds(CellSoil);
}

template <class Command>
void SceneSelection::FillEach() const
{
    // Copied first: a command may reach back into the view that owns this selection.
    const std::vector<CellRect> rects = rects_;
    for (const CellRect& r : rects)
        CmdList::Instance().Add(std::make_unique<Command>(ToGridRect(r)));
}

void SceneSelection::FillSoil() const
{
    FillEach<FillSoil_CMD>();
}

void SceneSelection::Erase() const
{
    FillEach<FillBalk_CMD>();
}

void SceneSelection::FillRoad() const
{
    FillEach<FillRoad_CMD>();
}

void SceneSelection::FillWall() const
{
    FillEach<FillWall_CMD>();
}

void SceneSelection::DeleteBuildings() const
{
    for (Build& b : SelectedBuildings())
        CmdList::Instance().Add(std::make_unique<DelBuild_CMD>(std::move(b)));
}

void SceneSelection::DeleteRulers() const
{
    for (const Mark& m : SelectedRulers())
        CmdList::Instance().Add(std::make_unique<DelMark_CMD>(m));
}

void SceneSelection::LayOut() const
{
    const std::vector<CellRect> rects = rects_;
    CmdList::Instance().Add(std::make_unique<PrepareLayRect_CMD>());
    for (const CellRect& r : rects)
        CmdList::Instance().Add(std::make_unique<SearchLayRect_CMD>(ToGridRect(r)));
    CmdList::Instance().Add(std::make_unique<StartLayRect_CMD>());
}
