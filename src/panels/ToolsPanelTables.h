#pragma once

#include "platform/UiText.h"

#include <vector>

// The tools a button of the tools panel chooses; the values are those of the
// map view's tool kinds.
enum class PanelTool { Pointer = 0, Soil = 1, Erase = 2, Ruler = 3, Building = 4, Wall = 5, Road = 6 };

// What the map view is told when a tool button or menu item is chosen.
struct ToolChoice {
    PanelTool kind = PanelTool::Pointer;
    int width = 1;
    int height = 1;
    bool houseColour = false;

    friend bool operator==(const ToolChoice&, const ToolChoice&) = default;
};

struct ToolButtonEntry {
    int controlId = 0;
    ToolChoice choice;
};

// An item of the other-building menu. The command id fixes the footprint;
// the text is only a label, the building is placed without a name.
struct OtherBuildingItem {
    UiText text;
    int commandId = 0;
};

// The fixed tables of the tools panel.
class ToolsPanelTables {
public:
    static constexpr int kFirstMenuCommand = 1104;
    static constexpr int kLastMenuCommand = 1110;

    // The nine buttons that choose a tool, in control order of the panel.
    static const std::vector<ToolButtonEntry>& ToolButtons();
    // The twenty items in menu order.
    static const std::vector<OtherBuildingItem>& OtherBuildings();
    // The building tool of a menu command; Pointer for ids outside the menu.
    static ToolChoice MenuChoice(int commandId);
};
