#pragma once

// Every message record that travels through the MsgCenter. A record's type is
// its identity; each is a distinct type even where the fields are the same.
// "Out" fields are written by the handler and read by the sender after Send
// returns; they are mutable because handlers receive the record as const.
// The edit commands (..._CMD) are classes of the command subsystem.

#include "msg/MsgTypes.h"
#include "platform/UiText.h"

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
    UiText prompt;
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
    mutable bool saved = false;  // out: the map was written
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

// ---- the map in hand, undo and redo ----

// Where the map in hand came from, told after every load and save of a map.
enum class MapFileKind {
    Opened,       // a file the user opened (the start file, a dropped file, "加载地图")
    Saved,        // the user saved the map to this file
    DemoMap,      // the map a demonstration script named
    RecorderMap,  // a snapshot of the recorder's temporary folder
    Blank,        // a new, empty map without a file
};

struct MapFileEvent_Msg {
    MapFileKind kind = MapFileKind::Opened;
    std::filesystem::path path;
    bool damaged = false;  // the reader reported problems (or refused the file)
};

// Asks the tools panel to run its save dialog and save the map there.
struct SaveMapAs_Msg {
    mutable bool saved = false;  // out
};

// Asks the tools panel to run its open dialog and load the chosen map.
struct OpenMapFile_Msg {};

// Asked before the map in hand is replaced: the main window lets the user
// save or discard unsaved changes; nobody answering lets the load go on.
struct ConfirmDiscard_Msg {
    mutable bool proceed = true;  // out
};

// Sent by the command history around every edit it runs.
struct EditStarting_Msg {};
struct EditFinished_Msg {};

// Requests to take the last edit back or do it again.
struct UndoEdit_Msg {};
struct RedoEdit_Msg {};

// The buildings an automatic or selection layout placed (default colour, no name).
struct LayoutPlaced_Msg {
    struct Footprint {
        std::int32_t x = 0, y = 0, w = 0, h = 0;
    };
    std::vector<Footprint> builds;
};
