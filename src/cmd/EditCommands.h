#pragma once

// The edit commands. Each class is also the message type its Execute sends;
// the Scene is the only handler. Names that begin with "##" are not commands
// of the text language.

#include "cmd/RecordCommand.h"

#define QL_EDIT_COMMAND(Class, Record, Name)                         \
    class Class final : public RecordCommand<Class, Record> {        \
    public:                                                          \
        static constexpr const char* kName = Name;                   \
        using RecordCommand::RecordCommand;                          \
    }

QL_EDIT_COMMAND(FillSoil_CMD, GridRect, "##fill soil");
QL_EDIT_COMMAND(FillRoad_CMD, GridRect, "##fill road");
QL_EDIT_COMMAND(FillWall_CMD, GridRect, "##fill wall");
QL_EDIT_COMMAND(FillBalk_CMD, GridRect, "##fill balk");
QL_EDIT_COMMAND(AddBuild_CMD, Build, "build");
QL_EDIT_COMMAND(DelBuild_CMD, Build, "break");
QL_EDIT_COMMAND(RenameBuild_CMD, Build, "##rename");
QL_EDIT_COMMAND(RecolorBuild_CMD, Build, "##recolor");
QL_EDIT_COMMAND(AddMark_CMD, Mark, "mark");
QL_EDIT_COMMAND(DelMark_CMD, Mark, "delete mark");
QL_EDIT_COMMAND(ClearScene_CMD, NoArgs, "clear scene");
QL_EDIT_COMMAND(ClearBuild_CMD, NoArgs, "clear build");
QL_EDIT_COMMAND(ClearMark_CMD, NoArgs, "clear mark");
QL_EDIT_COMMAND(SearchLayMap_CMD, NoArgs, "##lay map");
QL_EDIT_COMMAND(PrepareLayRect_CMD, NoArgs, "##lay prepare");
QL_EDIT_COMMAND(SearchLayRect_CMD, GridRect, "##lay rect");
QL_EDIT_COMMAND(StartLayRect_CMD, NoArgs, "##ay start");

#undef QL_EDIT_COMMAND
