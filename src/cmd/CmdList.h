#pragma once

#include "cmd/Base_CMD.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

// The command history of the process. Every command given to Add is executed;
// while a recording runs it is also kept, with a map snapshot taken after it,
// so that GoTo can return to the state right after any recorded command.
class CmdList {
public:
    CmdList() = default;
    ~CmdList();
    CmdList(const CmdList&) = delete;
    CmdList& operator=(const CmdList&) = delete;

    // The one history; "Dead Reference Detected" after exit-time destruction.
    static CmdList& Instance();

    // Executes the command between EditStarting_Msg and EditFinished_Msg;
    // keeps it only while recording, dropping the commands that GoTo had
    // undone. A null command does nothing.
    void Add(std::unique_ptr<Base_CMD> command);
    // Restores the snapshot taken after command `index`; nothing happens for
    // an index that is not in the list.
    void GoTo(std::int32_t index);
    // The replay of the commands in effect: "." and a line of the command
    // language per line each command writes for a demonstration.
    void WriteAll(std::ostream& out) const;

    // The recording's own undo and redo: the jump to the state before the
    // last command in effect (the recording's starting map before the first)
    // or after the first undone one. False when there is nothing to go to.
    bool Undo();
    bool Redo();
    // What LoadTempMap_Msg carries for the recording's starting map.
    static constexpr std::int32_t kStartSnapshot = -1;

    // Destroys every command held and sets the position to 0, as destruction does.
    void Clear();

    // The number of commands in effect; those from here to Size() are undone.
    std::int32_t Position() const { return position_; }
    std::int32_t Size() const { return static_cast<std::int32_t>(commands_.size()); }
    // 0 <= index < Size(), else std::out_of_range.
    const Base_CMD& At(std::int32_t index) const;

private:
    std::int32_t position_ = 0;
    std::vector<std::unique_ptr<Base_CMD>> commands_;
};
