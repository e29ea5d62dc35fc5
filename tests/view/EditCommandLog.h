#pragma once

#include "cmd/EditCommands.h"
#include "cmd/Received.h"

#include <string>
#include <vector>

// Notes every edit command the map view and its selection can send, in the
// order they were executed.
struct EditCommandLog {
    std::vector<std::string> journal;

    Received<FillSoil_CMD> fillSoil{journal, "FillSoil"};
    Received<FillBalk_CMD> fillBalk{journal, "FillBalk"};
    Received<FillRoad_CMD> fillRoad{journal, "FillRoad"};
    Received<FillWall_CMD> fillWall{journal, "FillWall"};
    Received<AddBuild_CMD> addBuild{journal, "AddBuild"};
    Received<DelBuild_CMD> delBuild{journal, "DelBuild"};
    Received<RenameBuild_CMD> rename{journal, "RenameBuild"};
    Received<RecolorBuild_CMD> recolor{journal, "RecolorBuild"};
    Received<AddMark_CMD> addMark{journal, "AddMark"};
    Received<DelMark_CMD> delMark{journal, "DelMark"};
    Received<PrepareLayRect_CMD> prepareLay{journal, "PrepareLayRect"};
    Received<SearchLayRect_CMD> searchLay{journal, "SearchLayRect"};
    Received<StartLayRect_CMD> startLay{journal, "StartLayRect"};
};
