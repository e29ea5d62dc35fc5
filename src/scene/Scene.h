#pragma once

#include "demo/DemoCatalogue.h"
#include "scene/Build.h"
#include "scene/GridRect.h"
#include "scene/Mark.h"
#include "scene/RoadFinder.h"
#include "scene/SceneTypes.h"
#include "search/SearchState.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class LayoutRunner;
class MsgCenter;

// Edit commands the Scene handles (their classes are also their message types).
class ClearScene_CMD;
class ClearBuild_CMD;
class ClearMark_CMD;
class AddBuild_CMD;
class PlaceBuild_CMD;
class DelBuild_CMD;
class FillSoil_CMD;
class FillRoad_CMD;
class FillBalk_CMD;
class FillWall_CMD;
class AddMark_CMD;
class DelMark_CMD;
class SearchLayMap_CMD;
class SearchLayRect_CMD;
class PrepareLayRect_CMD;
class StartLayRect_CMD;
class RecolorBuild_CMD;
class RenameBuild_CMD;
struct AddRoadPoints_Msg;

// Per-kind counts and the per-colour table of the buildings, with the cell counts.
struct ColourStat {
    std::int64_t count = 0;
    std::int64_t area = 0;
    friend bool operator==(const ColourStat&, const ColourStat&) = default;
};

struct SceneStatistics {
    std::int64_t groundCells = 0;  // soil or building
    std::int64_t buildCells = 0;
    std::int64_t soilCells = 0;
    std::int64_t roadCells = 0;
    std::int64_t houses = 0;
    std::int64_t houseArea = 0;
    std::int64_t factories = 0;
    std::int64_t factoryArea = 0;
    std::int64_t others = 0;
    std::int64_t otherArea = 0;
    std::map<ColorRef, ColourStat> perColour;
};

// The map: a 250 × 250 grid stored column by column (cell (x, y) is element
// x * 250 + y), the buildings and rulers in their order, and the search
// region. Others read it directly and change it through the operations
// below or through the edit messages it handles.
class Scene {
public:
    using Grid = RoadFinder::Grid;

    // Whether the demonstration catalogue starts with the program's "demo" folder.
    enum class DemoScan { kProgramFolder, kNone };

    // Registers the edit handlers with `center`. Layout runs use the search
    // driver on a worker thread unless another runner is set.
    explicit Scene(MsgCenter& center, DemoScan scan = DemoScan::kProgramFolder);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // ---- reading ----
    std::int32_t CellAt(std::int32_t x, std::int32_t y) const { return cells_[Index(x, y)]; }
    const Grid& Cells() const { return cells_; }
    const std::vector<Build>& Builds() const { return builds_; }
    const std::vector<Mark>& Marks() const { return marks_; }
    const Build* FindBuildAt(std::int32_t x, std::int32_t y) const;

    // ---- cell primitives; every rectangle must lie in columns and rows 0 … 248 ----
    static bool RectAccepted(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
    bool FillRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t value, std::int32_t key);
    bool ReplaceRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t value,
                     std::int32_t k1, std::int32_t k2, std::int32_t k3, std::int32_t k4);
    bool RectAll(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t key) const;
    bool RectAny(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t key) const;

    // ---- buildings ----
    bool PlaceBuild(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, ColorRef colour,
                    const std::string& name);
    bool RemoveBuild(std::int32_t x, std::int32_t y);
    bool SetBuildName(std::int32_t x, std::int32_t y, const std::string& name);
    bool SetBuildColour(std::int32_t x, std::int32_t y, ColorRef colour);

    // ---- rulers ----
    void InsertMark(const Mark& mark);
    bool EraseMark(const Mark& mark);

    // ---- whole scene ----
    void ClearBuilds();
    void ClearMarks();
    void ClearAll();

    SceneStatistics ComputeStatistics() const;

    // ---- for the map reader, which loads cells and lists as the file gives them ----
    void LoadCell(std::int32_t x, std::int32_t y, std::int32_t value) { cells_[Index(x, y)] = value; }
    void ClearBuildList() { builds_.clear(); }
    void AppendLoadedBuild(Build build);

    // ---- layout search ----
    const RegionBits& RegionSelection() const { return regionSelection_; }
    SearchState& WorkingRegion() { return working_; }
    const SearchState& WorkingRegion() const { return working_; }
    // nullptr puts the Scene's own search driver back.
    void SetLayoutRunner(LayoutRunner* runner);
    RoadFinder& Roads() { return roadFinder_; }

    DemoCatalogue& Demos() { return demos_; }

private:
    static constexpr std::size_t Index(std::int32_t x, std::int32_t y)
    {
        return static_cast<std::size_t>(x) * GridSize + static_cast<std::size_t>(y);
    }
    // Soil over a building's footprint; a footprint reaching column or row 249
    // (only a map file can bring one) is refused by the bounds rule and stays.
    void ReleaseFootprint(const Build& build);

    void RegisterHandlers();
    void UnregisterHandlers();

    void OnClearScene(const ClearScene_CMD*);
    void OnClearBuild(const ClearBuild_CMD*);
    void OnClearMark(const ClearMark_CMD*);
    void OnAddBuild(const AddBuild_CMD* cmd);
    void OnPlaceBuild(const PlaceBuild_CMD* cmd);
    void OnDelBuild(const DelBuild_CMD* cmd);
    void OnFillSoil(const FillSoil_CMD* cmd);
    void OnFillRoad(const FillRoad_CMD* cmd);
    void OnFillBalk(const FillBalk_CMD* cmd);
    void OnFillWall(const FillWall_CMD* cmd);
    void OnAddMark(const AddMark_CMD* cmd);
    void OnDelMark(const DelMark_CMD* cmd);
    void OnSearchLayMap(const SearchLayMap_CMD*);
    void OnSearchLayRect(const SearchLayRect_CMD* cmd);
    void OnPrepareLayRect(const PrepareLayRect_CMD*);
    void OnStartLayRect(const StartLayRect_CMD*);
    void OnRecolorBuild(const RecolorBuild_CMD* cmd);
    void OnRenameBuild(const RenameBuild_CMD* cmd);
    void OnAddRoadPoints(const AddRoadPoints_Msg* msg);

    void PrepareRegion();
    void AddToRegion(const GridRect& rect);
    void StartLayout();
    void SendRedraw();

    MsgCenter& center_;
    Grid cells_{};
    std::vector<Mark> marks_;
    std::vector<Build> builds_;
    RegionBits regionSelection_;
    SearchState working_ = SearchState::Box(GridSize, GridSize);
    RoadFinder roadFinder_{&cells_};
    DemoCatalogue demos_;
    std::unique_ptr<LayoutRunner> ownRunner_;
    LayoutRunner* runner_ = nullptr;
};
