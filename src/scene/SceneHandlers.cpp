// The Scene's edit handlers: every edit message reaches the map here.
#include "scene/Scene.h"

#include "cmd/EditCommands.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "search/LayoutRunner.h"

#include <algorithm>

void Scene::RegisterHandlers()
{
    center_.Register(this, &Scene::OnClearScene);
    center_.Register(this, &Scene::OnClearBuild);
    center_.Register(this, &Scene::OnClearMark);
    center_.Register(this, &Scene::OnAddBuild);
    center_.Register(this, &Scene::OnPlaceBuild);
    center_.Register(this, &Scene::OnDelBuild);
    center_.Register(this, &Scene::OnFillSoil);
    center_.Register(this, &Scene::OnFillRoad);
    center_.Register(this, &Scene::OnFillBalk);
    center_.Register(this, &Scene::OnFillWall);
    center_.Register(this, &Scene::OnAddMark);
    center_.Register(this, &Scene::OnDelMark);
    center_.Register(this, &Scene::OnSearchLayMap);
    center_.Register(this, &Scene::OnSearchLayRect);
    center_.Register(this, &Scene::OnPrepareLayRect);
    center_.Register(this, &Scene::OnStartLayRect);
    center_.Register(this, &Scene::OnRecolorBuild);
    center_.Register(this, &Scene::OnRenameBuild);
    center_.Register(this, &Scene::OnAddRoadPoints);
}

void Scene::UnregisterHandlers()
{
    center_.Unregister(this, &Scene::OnClearScene);
    center_.Unregister(this, &Scene::OnClearBuild);
    center_.Unregister(this, &Scene::OnClearMark);
    center_.Unregister(this, &Scene::OnAddBuild);
    center_.Unregister(this, &Scene::OnPlaceBuild);
    center_.Unregister(this, &Scene::OnDelBuild);
    center_.Unregister(this, &Scene::OnFillSoil);
    center_.Unregister(this, &Scene::OnFillRoad);
    center_.Unregister(this, &Scene::OnFillBalk);
    center_.Unregister(this, &Scene::OnFillWall);
    center_.Unregister(this, &Scene::OnAddMark);
    center_.Unregister(this, &Scene::OnDelMark);
    center_.Unregister(this, &Scene::OnSearchLayMap);
    center_.Unregister(this, &Scene::OnSearchLayRect);
    center_.Unregister(this, &Scene::OnPrepareLayRect);
    center_.Unregister(this, &Scene::OnStartLayRect);
    center_.Unregister(this, &Scene::OnRecolorBuild);
    center_.Unregister(this, &Scene::OnRenameBuild);
    center_.Unregister(this, &Scene::OnAddRoadPoints);
}

void Scene::SendRedraw()
{
    center_.Send(UpdateGridView_Msg{false});
}

void Scene::OnClearScene(const ClearScene_CMD*)
{
    ClearAll();
    SendRedraw();
}

void Scene::OnClearBuild(const ClearBuild_CMD*)
{
    ClearBuilds();
    SendRedraw();
}

void Scene::OnClearMark(const ClearMark_CMD*)
{
    ClearMarks();
    SendRedraw();
}

void Scene::OnAddBuild(const AddBuild_CMD* cmd)
{
    const Build& b = cmd->data;
    // A refused placement is quiet; its roads are planned all the same.
    PlaceBuild(b.x, b.y, b.w, b.h, b.colour, b.name);
    SendRedraw();
    center_.Send(BuildBringRoad_Msg{roadFinder_.Plan(b.x, b.y, b.w, b.h)});
}

void Scene::OnPlaceBuild(const PlaceBuild_CMD* cmd)
{
    const Build& b = cmd->data;
    // As the layout places its buildings: no roads are planned.
    PlaceBuild(b.x, b.y, b.w, b.h, b.colour, b.name);
    SendRedraw();
}

void Scene::OnDelBuild(const DelBuild_CMD* cmd)
{
    RemoveBuild(cmd->data.x, cmd->data.y);
    SendRedraw();
}

void Scene::OnFillSoil(const FillSoil_CMD* cmd)
{
    const GridRect& r = cmd->data;
    FillRect(r.x, r.y, r.w, r.h, CellSoil, CellBalk);
    SendRedraw();
}

void Scene::OnFillRoad(const FillRoad_CMD* cmd)
{
    const GridRect& r = cmd->data;
    ReplaceRect(r.x, r.y, r.w, r.h, CellRoad, CellBalk, CellSoil, 6, 6);
    SendRedraw();
}

void Scene::OnFillBalk(const FillBalk_CMD* cmd)
{
    const GridRect& r = cmd->data;
    ReplaceRect(r.x, r.y, r.w, r.h, CellBalk, CellSoil, CellWall, CellRoad, 6);
    SendRedraw();
}

void Scene::OnFillWall(const FillWall_CMD* cmd)
{
    const GridRect& r = cmd->data;
    FillRect(r.x, r.y, r.w, r.h, CellWall, CellBalk);
    SendRedraw();
}

void Scene::OnAddMark(const AddMark_CMD* cmd)
{
    InsertMark(cmd->data);
    SendRedraw();
}

void Scene::OnDelMark(const DelMark_CMD* cmd)
{
    EraseMark(cmd->data);
    SendRedraw();
}

void Scene::OnRecolorBuild(const RecolorBuild_CMD* cmd)
{
    SetBuildColour(cmd->data.x, cmd->data.y, cmd->data.colour);
    SendRedraw();
}

void Scene::OnRenameBuild(const RenameBuild_CMD* cmd)
{
    SetBuildName(cmd->data.x, cmd->data.y, cmd->data.name);
    SendRedraw();
}

void Scene::OnAddRoadPoints(const AddRoadPoints_Msg* msg)
{
    for (const GridPoint& p : msg->roads)
        ReplaceRect(p.x, p.y, 1, 1, CellRoad, CellBalk, CellSoil, 6, 6);
    SendRedraw();
}

void Scene::OnPrepareLayRect(const PrepareLayRect_CMD*)
{
    PrepareRegion();
}

void Scene::OnSearchLayRect(const SearchLayRect_CMD* cmd)
{
    AddToRegion(cmd->data);
}

void Scene::OnStartLayRect(const StartLayRect_CMD*)
{
    StartLayout();
}

void Scene::OnSearchLayMap(const SearchLayMap_CMD*)
{
    PrepareRegion();
    AddToRegion(GridRect{0, 0, GridSize, GridSize});
    StartLayout();
}

void Scene::PrepareRegion()
{
    regionSelection_.reset();
}

void Scene::AddToRegion(const GridRect& rect)
{
    // Cells outside the grid are skipped one by one; only soil joins the region.
    const std::int64_t left = std::max<std::int64_t>(rect.x, 0);
    const std::int64_t top = std::max<std::int64_t>(rect.y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{rect.x} + rect.w, GridSize);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{rect.y} + rect.h, GridSize);
    for (std::int64_t i = left; i < right; ++i) {
        for (std::int64_t j = top; j < bottom; ++j) {
            if (CellAt(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j)) == CellSoil)
                regionSelection_.set(static_cast<std::size_t>(j * GridSize + i));
        }
    }
}

void Scene::StartLayout()
{
    runner_->Start(regionSelection_, working_);
    SearchInfoDoModle_Msg question;
    center_.Send(question);
    LayoutPlaced_Msg placed;
    if (question.ok) {
        for (const LayoutRecord& r : working_.placed) {
            if (PlaceBuild(r.x, r.y, r.w, r.h, DefaultColour, std::string()))
                placed.builds.push_back({r.x, r.y, r.w, r.h});
        }
    }
    SendRedraw();
    if (!placed.builds.empty())
        center_.Send(placed);
}
