#pragma once

#include "Received.h"
#include "cmd/EditCommands.h"
#include "msg/Messages.h"

#include <algorithm>
#include <string>
#include <vector>

// Listens to every message that a command, the interpreter, the history or
// the Scene's handlers may send.
struct SentMessages {
    // The names of the messages received. Receivers of one type are called in
    // address order, so only the sorted journal is reliable across types.
    std::vector<std::string> Sorted() const
    {
        std::vector<std::string> names = journal;
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> journal;

    Received<FillSoil_CMD> fillSoil{journal, "FillSoil_CMD"};
    Received<FillRoad_CMD> fillRoad{journal, "FillRoad_CMD"};
    Received<AddBuild_CMD> addBuild{journal, "AddBuild_CMD"};
    Received<DelBuild_CMD> delBuild{journal, "DelBuild_CMD"};
    Received<AddMark_CMD> addMark{journal, "AddMark_CMD"};
    Received<DelMark_CMD> delMark{journal, "DelMark_CMD"};
    Received<ClearScene_CMD> clearScene{journal, "ClearScene_CMD"};
    Received<ClearBuild_CMD> clearBuild{journal, "ClearBuild_CMD"};
    Received<ClearMark_CMD> clearMark{journal, "ClearMark_CMD"};
    Received<LoadDomoMap_Msg> loadMap{journal, "LoadDomoMap_Msg"};
    Received<MoveSceneCenter_Msg> center{journal, "MoveSceneCenter_Msg"};
    Received<ZoomSceneSize_Msg> zoom{journal, "ZoomSceneSize_Msg"};
    Received<ShowGridTip_Msg> showTip{journal, "ShowGridTip_Msg"};
    Received<HideGridTip_Msg> hideTip{journal, "HideGridTip_Msg"};
    Received<UpdateGridView_Msg> redraw{journal, "UpdateGridView_Msg"};
    Received<BuildBringRoad_Msg> roads{journal, "BuildBringRoad_Msg"};
    Received<SaveTempMap_Msg> saveTemp{journal, "SaveTempMap_Msg"};
    Received<LoadTempMap_Msg> loadTemp{journal, "LoadTempMap_Msg"};
    Received<CmdListUpdate_Msg> listUpdate{journal, "CmdListUpdate_Msg"};
};
