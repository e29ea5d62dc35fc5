#pragma once

// Every message record that travels through the MsgCenter. A record's type is
// its identity; each is a distinct type even where the fields are the same.
// "Out" fields are written by the handler and read by the sender after Send
// returns; they are mutable because handlers receive the record as const.
// The edit commands (..._CMD) are classes of the command subsystem.

#include "msg/MsgTypes.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// ---- timer and timer control ----

template <int N>
struct Timer_Msg {
    std::int32_t elapsed = 0;  // ms since the previous delivery of this period
    std::int32_t now = 0;      // the clock reading of this tick, ms
};

struct PauseTimer_Msg {};
struct ContinueTimer_Msg {};

struct GetTimerPauseCount_Msg {
    mutable std::int32_t count = 0;  // out
};

struct SysTime_Msg {};

// A message given by the name of its type and its body; the centre delivers
// it to the handlers of that type (only a few types accept such a body).
struct SpanProcessMsg_Recv {
    std::string targetName;
    std::vector<unsigned char> body;
};

// ---- scene, search and view ----

struct UpdateGridView_Msg {
    bool flag = false;
};

struct BuildBringRoad_Msg {
    std::vector<GridPoint> roads;  // may be empty, may repeat
};

struct AddRoadPoints_Msg {
    std::vector<GridPoint> roads;
};

struct SearchInfoDoModle_Msg {
    mutable bool ok = false;  // out: the progress dialog ended with OK
};

struct BuildSearchFinished_Msg {};

struct MoveSceneCenter_Msg {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct ZoomSceneSize_Msg {
    std::int32_t cellSize = 0;  // pixels
};

struct ShowGridTip_Msg {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::string text;
};

struct HideGridTip_Msg {};

// ---- windows and files ----

struct ChangePanel_Msg {
    std::string panel;  // "main", "set", "viewset" or "demo"
};

struct InputString_Msg {
    mutable bool ok = false;  // out
    std::string prompt;
    std::string initial;
    mutable std::string result;  // out
};

struct InputColor_Msg {
    mutable bool ok = false;  // out
    ColorRef initial = 0;
    mutable ColorRef result = 0;  // out
};

struct LoadMapFile_Msg {
    std::filesystem::path path;
};

struct SaveMapFile_Msg {
    std::filesystem::path path;
};

struct LoadDomoMap_Msg {
    std::string mapName;
};

struct SaveTempMap_Msg {
    std::int32_t index = 0;  // of the command just recorded
};

struct LoadTempMap_Msg {
    std::int32_t index = 0;
};

struct CmdListUpdate_Msg {
    bool flag = false;
};

struct StopRec_Msg {
    bool flag = false;
};

// The buildings an automatic or selection layout placed (default colour, no name).
struct LayoutPlaced_Msg {
    struct Footprint {
        std::int32_t x = 0, y = 0, w = 0, h = 0;
    };
    std::vector<Footprint> builds;
};
