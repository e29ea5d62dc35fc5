#include "panels/ToolsPanelTables.h"

#include <array>
#include <utility>

namespace {

ToolChoice Building(int width, int height, bool houseColour = false)
{
    return ToolChoice{PanelTool::Building, width, height, houseColour};
}

ToolChoice Plain(PanelTool kind)
{
    return ToolChoice{kind, 1, 1, false};
}

// Footprints of the menu commands 1104 … 1110, as width × height in cells.
constexpr std::array<std::pair<int, int>, 7> kMenuFootprints = {
    {{3, 4}, {4, 3}, {3, 6}, {4, 5}, {3, 2}, {2, 2}, {1, 1}}};

}  // namespace

const std::vector<ToolButtonEntry>& ToolsPanelTables::ToolButtons()
{
    static const std::vector<ToolButtonEntry> buttons = {
        {1007, Plain(PanelTool::Pointer)}, {1008, Plain(PanelTool::Soil)},  {1026, Plain(PanelTool::Road)},
        {1027, Plain(PanelTool::Wall)},    {1009, Plain(PanelTool::Erase)}, {1013, Plain(PanelTool::Ruler)},
        {1010, Building(3, 2, true)},      {1011, Building(2, 3, true)},    {1012, Building(5, 4)},
    };
    return buttons;
}

const std::vector<OtherBuildingItem>& ToolsPanelTables::OtherBuildings()
{
    static const std::vector<OtherBuildingItem> items = {
        {QL_TEXT("ToolsPanelTables", "医院 3 X 4"), 1104},
        {QL_TEXT("ToolsPanelTables", "礼拜堂 3 X 4"), 1104},
        {QL_TEXT("ToolsPanelTables", "贸易事务所 3 X 4"), 1104},
        {QL_TEXT("ToolsPanelTables", "兵工厂 3 X 4"), 1104},
        {QL_TEXT("ToolsPanelTables", "市场大厅 3 X 4"), 1104},
        {QL_TEXT("ToolsPanelTables", "学校 4 X 3"), 1105},
        {QL_TEXT("ToolsPanelTables", "造币厂 4 X 3"), 1105},
        {QL_TEXT("ToolsPanelTables", "商人行会 4 X 3"), 1105},
        {QL_TEXT("ToolsPanelTables", "市政大厅 3 X 6"), 1106},
        {QL_TEXT("ToolsPanelTables", "市政大厅 4 X 5"), 1107},
        {QL_TEXT("ToolsPanelTables", "教堂 3 X 6"), 1106},
        {QL_TEXT("ToolsPanelTables", "教堂 4 X 5"), 1107},
        {QL_TEXT("ToolsPanelTables", "借贷所 3 X 2"), 1108},
        {QL_TEXT("ToolsPanelTables", "武器商店 3 X 2"), 1108},
        {QL_TEXT("ToolsPanelTables", "酒馆 3 X 2"), 1108},
        {QL_TEXT("ToolsPanelTables", "酒馆的啤酒桶 2 X 2"), 1109},
        {QL_TEXT("ToolsPanelTables", "炮台 2 X 2"), 1109},
        {QL_TEXT("ToolsPanelTables", "水井 1 X 1"), 1110},
        {QL_TEXT("ToolsPanelTables", "其它 1 X 1"), 1110},
        {QL_TEXT("ToolsPanelTables", "其它 2 X 2"), 1109},
    };
    return items;
}

ToolChoice ToolsPanelTables::MenuChoice(int commandId)
{
    if (commandId < kFirstMenuCommand || commandId > kLastMenuCommand)
        return Plain(PanelTool::Pointer);
    const auto [width, height] = kMenuFootprints[static_cast<std::size_t>(commandId - kFirstMenuCommand)];
    return Building(width, height);
}
