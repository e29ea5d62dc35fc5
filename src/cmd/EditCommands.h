#pragma once

// The edit commands. Each class is also the message type its Execute sends;
// the Scene is the only handler. Names that begin with "##" are not commands
// of the text language; a demonstration replays such a command with its
// script name instead.

#include "cmd/RecordCommand.h"

#define QL_EDIT_COMMAND(Class, Record, Name, ScriptName)             \
    class Class final : public RecordCommand<Class, Record> {        \
    public:                                                          \
        static constexpr const char* kName = Name;                   \
        static constexpr const char* kScriptName = ScriptName;       \
        using RecordCommand::RecordCommand;                          \
    }

QL_EDIT_COMMAND(FillSoil_CMD, GridRect, "##fill soil", "fill soil");
QL_EDIT_COMMAND(FillRoad_CMD, GridRect, "##fill road", "fill road");
QL_EDIT_COMMAND(FillWall_CMD, GridRect, "##fill wall", "fill wall");
QL_EDIT_COMMAND(FillBalk_CMD, GridRect, "##fill balk", "fill balk");
QL_EDIT_COMMAND(PlaceBuild_CMD, Build, "place", "place");
QL_EDIT_COMMAND(DelBuild_CMD, Build, "break", "break");
QL_EDIT_COMMAND(RenameBuild_CMD, Build, "##rename", "rename");
QL_EDIT_COMMAND(RecolorBuild_CMD, Build, "##recolor", "recolor");
QL_EDIT_COMMAND(AddMark_CMD, Mark, "mark", "mark");
QL_EDIT_COMMAND(DelMark_CMD, Mark, "delete mark", "delete mark");
QL_EDIT_COMMAND(ClearScene_CMD, NoArgs, "clear scene", "clear scene");
QL_EDIT_COMMAND(ClearBuild_CMD, NoArgs, "clear build", "clear build");
QL_EDIT_COMMAND(ClearMark_CMD, NoArgs, "clear mark", "clear mark");
// A layout is replayed by the buildings it placed.
QL_EDIT_COMMAND(SearchLayMap_CMD, NoArgs, "##lay map", nullptr);
QL_EDIT_COMMAND(PrepareLayRect_CMD, NoArgs, "##lay prepare", nullptr);
QL_EDIT_COMMAND(SearchLayRect_CMD, GridRect, "##lay rect", nullptr);
QL_EDIT_COMMAND(StartLayRect_CMD, NoArgs, "##ay start", nullptr);

#undef QL_EDIT_COMMAND

// A building placed by the user. A demonstration forces road making while it
// plays, so the building is replayed with "build" only where roads were laid
// for it during the recording, and with "place" (no roads) otherwise.
class AddBuild_CMD final : public RecordCommand<AddBuild_CMD, Build> {
public:
    static constexpr const char* kName = "build";
    static constexpr const char* kScriptName = "build";
    using RecordCommand::RecordCommand;

protected:
    const char* ScriptName() const override { return RoadsAdded() ? kScriptName : kPlaceName; }
};
