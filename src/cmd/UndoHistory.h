#pragma once

#include "scene/SceneSnapshot.h"

#include <cstddef>
#include <deque>
#include <optional>

class AppConfig;
class CmdList;
class MsgCenter;
class Scene;
struct EditFinished_Msg;
struct EditStarting_Msg;
struct MapFileEvent_Msg;
struct RedoEdit_Msg;
struct UndoEdit_Msg;

// Undo and redo of every edit the command history runs, by whole-map
// snapshots taken around it; an edit that changed nothing leaves no step.
// The steps stay within a memory bound, the oldest dropped first, and are
// forgotten when another map is loaded. While a recording runs, undo and
// redo are the recording's own jumps, so the recording and the map agree.
class UndoHistory {
public:
    static constexpr std::size_t kDefaultMemoryBound = std::size_t{64} << 20;

    UndoHistory(MsgCenter& center, Scene& scene, const AppConfig& config, CmdList& commands,
                std::size_t memoryBound = kDefaultMemoryBound);
    ~UndoHistory();
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // False when there was nothing to take back or do again.
    bool Undo();
    bool Redo();
    void Clear();

    std::size_t UndoSteps() const { return undo_.size(); }
    std::size_t RedoSteps() const { return redo_.size(); }
    std::size_t Bytes() const { return bytes_; }

private:
    void Push(std::deque<SceneSnapshot>& steps, SceneSnapshot snapshot);
    SceneSnapshot Pop(std::deque<SceneSnapshot>& steps);
    void Drop(std::deque<SceneSnapshot>& steps);
    void DropOldestBeyondBound();
    bool Step(std::deque<SceneSnapshot>& from, std::deque<SceneSnapshot>& to);

    void OnEditStarting(const EditStarting_Msg*);
    void OnEditFinished(const EditFinished_Msg*);
    void OnUndo(const UndoEdit_Msg*);
    void OnRedo(const RedoEdit_Msg*);
    void OnMapFile(const MapFileEvent_Msg* msg);

    MsgCenter& center_;
    Scene& scene_;
    const AppConfig& config_;
    CmdList& commands_;
    std::size_t memoryBound_;
    std::deque<SceneSnapshot> undo_;
    std::deque<SceneSnapshot> redo_;
    std::size_t bytes_ = 0;
    std::optional<SceneSnapshot> before_;
    int editDepth_ = 0;
};
