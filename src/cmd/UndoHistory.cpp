#include "cmd/UndoHistory.h"

#include "cmd/CmdList.h"
#include "config/AppConfig.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"

UndoHistory::UndoHistory(MsgCenter& center, Scene& scene, const AppConfig& config, CmdList& commands,
                         std::size_t memoryBound)
    : center_(center), scene_(scene), config_(config), commands_(commands), memoryBound_(memoryBound)
{
    center_.Register(this, &UndoHistory::OnEditStarting);
    center_.Register(this, &UndoHistory::OnEditFinished);
    center_.Register(this, &UndoHistory::OnUndo);
    center_.Register(this, &UndoHistory::OnRedo);
    center_.Register(this, &UndoHistory::OnMapFile);
}

UndoHistory::~UndoHistory()
{
    center_.Unregister(this, &UndoHistory::OnEditStarting);
    center_.Unregister(this, &UndoHistory::OnEditFinished);
    center_.Unregister(this, &UndoHistory::OnUndo);
    center_.Unregister(this, &UndoHistory::OnRedo);
    center_.Unregister(this, &UndoHistory::OnMapFile);
}

bool UndoHistory::Undo()
{
    if (config_.recording)
        return commands_.Undo();
    return Step(undo_, redo_);
}

bool UndoHistory::Redo()
{
    if (config_.recording)
        return commands_.Redo();
    return Step(redo_, undo_);
}

bool UndoHistory::Step(std::deque<SceneSnapshot>& from, std::deque<SceneSnapshot>& to)
{
    if (from.empty())
        return false;
    const SceneSnapshot target = Pop(from);
    Push(to, SceneSnapshot(scene_));
    target.RestoreTo(scene_);
    DropOldestBeyondBound();
    center_.Send(UpdateGridView_Msg{false});
    return true;
}

void UndoHistory::Clear()
{
    Drop(undo_);
    Drop(redo_);
}

void UndoHistory::Drop(std::deque<SceneSnapshot>& steps)
{
    for (const SceneSnapshot& step : steps)
        bytes_ -= step.Bytes();
    steps.clear();
}

void UndoHistory::Push(std::deque<SceneSnapshot>& steps, SceneSnapshot snapshot)
{
    bytes_ += snapshot.Bytes();
    steps.push_back(std::move(snapshot));
}

SceneSnapshot UndoHistory::Pop(std::deque<SceneSnapshot>& steps)
{
    SceneSnapshot snapshot = std::move(steps.back());
    steps.pop_back();
    bytes_ -= snapshot.Bytes();
    return snapshot;
}

void UndoHistory::DropOldestBeyondBound()
{
    // The newest step always stays, whatever its size.
    while (bytes_ > memoryBound_ && undo_.size() + redo_.size() > 1) {
        // Redo steps are the newest states taken back; the oldest undo goes first.
        std::deque<SceneSnapshot>& steps = undo_.empty() ? redo_ : undo_;
        bytes_ -= steps.front().Bytes();
        steps.pop_front();
    }
}

void UndoHistory::OnEditStarting(const EditStarting_Msg*)
{
    // A command run inside another one (none does today) belongs to the outer step.
    if (editDepth_++ == 0)
        before_.emplace(scene_);
}

void UndoHistory::OnEditFinished(const EditFinished_Msg*)
{
    if (editDepth_ == 0 || --editDepth_ > 0 || !before_)
        return;
    SceneSnapshot before = std::move(*before_);
    before_.reset();
    if (before.Matches(scene_))
        return;
    Push(undo_, std::move(before));
    Drop(redo_);
    DropOldestBeyondBound();
}

void UndoHistory::OnUndo(const UndoEdit_Msg*)
{
    Undo();
}

void UndoHistory::OnRedo(const RedoEdit_Msg*)
{
    Redo();
}

void UndoHistory::OnMapFile(const MapFileEvent_Msg* msg)
{
    // Saving keeps the steps; the recorder's jumps move within them.
    if (msg->kind != MapFileKind::Saved && msg->kind != MapFileKind::RecorderMap)
        Clear();
}
