#include "view/SceneMenu.h"

#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "view/SceneSelection.h"

#include <memory>
#include <optional>

namespace {

UiText TitleText(const SceneSelection& selection)
{
    std::string title = "QuarrinLayvane";
    const std::vector<CellRect>& rects = selection.Rects();
    if (rects.size() == 1 && rects[0].x1 == rects[0].x2 && rects[0].y1 == rects[0].y2)
        title += " " + std::to_string(rects[0].x1) + " " + std::to_string(rects[0].y1);
    return UiText::Verbatim(title);
}

}  // namespace

std::vector<SceneMenuItem> SceneMenu::Items() const
{
    std::vector<SceneMenuItem> items;
    items.push_back(SceneMenuItem{kTitle, TitleText(selection_), false, false});
    items.push_back(SceneMenuItem{kTitle, {}, false, true});
    if (const std::optional<Build> single = selection_.SingleBuilding())
        items.push_back({kRename, single->name.empty() ? QL_TEXT("SceneMenu", "为该建筑命名") : QL_TEXT("SceneMenu", "修改此建筑的名字")});
    if (selection_.HasRulers())
        items.push_back({kDeleteRulers, QL_TEXT("SceneMenu", "删除选中的标尺")});
    if (selection_.HasBuildings()) {
        items.push_back({kDeleteBuildings, QL_TEXT("SceneMenu", "删除选中的建筑")});
        items.push_back({kRecolour, QL_TEXT("SceneMenu", "修改建筑颜色")});
    }
    if (selection_.CanLight())
        items.push_back({kLight, QL_TEXT("SceneMenu", "点亮选择区域")});
    if (selection_.CanErase())
        items.push_back({kErase, QL_TEXT("SceneMenu", "擦除选择区域")});
    if (selection_.CanLayOut())
        items.push_back({kLayOut, QL_TEXT("SceneMenu", "在选区内布局")});
    return items;
}

void SceneMenu::Run(int id) const
{
    switch (id) {
    case kDeleteBuildings:
        selection_.DeleteBuildings();
        break;
    case kDeleteRulers:
        selection_.DeleteRulers();
        break;
    case kLight:
        selection_.FillSoil();
        break;
    case kErase:
        selection_.Erase();
        break;
    case kLayOut:
        selection_.LayOut();
        break;
    case kRename:
        Rename();
        break;
    case kRecolour:
        Recolour();
        break;
    default:
        break;
    }
}

void SceneMenu::Rename() const
{
    const std::optional<Build> building = selection_.SingleBuilding();
    if (!building)
        return;
    const InputString_Msg ask{false, QL_TEXT("SceneMenu", "请输入建筑物的名字: "), building->name, {}};
    center_.Send(ask);
    if (!ask.ok)
        return;
    Build renamed = *building;
    renamed.name = ask.result;
    CmdList::Instance().Add(std::make_unique<RenameBuild_CMD>(std::move(renamed)));
}

void SceneMenu::Recolour() const
{
    std::vector<Build> buildings = selection_.SelectedBuildings();
    if (buildings.empty())
        return;
    const InputColor_Msg ask{false, buildings.front().colour, 0};
    center_.Send(ask);
    if (!ask.ok)
        return;
    for (Build& b : buildings) {
        b.colour = ask.result;
        CmdList::Instance().Add(std::make_unique<RecolorBuild_CMD>(std::move(b)));
    }
}
