#include "panels/MapFileRequests.h"

#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "scene/MapFileReader.h"
#include "scene/MapFileWriter.h"


MapFileRequests::MapFileRequests(MsgCenter& center, Scene& scene, ReportLoadProblem report, ShowFile show)
    : center_(center), scene_(scene), report_(std::move(report)), show_(std::move(show))
{
    center_.Register(this, &MapFileRequests::OnLoad);
    center_.Register(this, &MapFileRequests::OnSave);
}

MapFileRequests::~MapFileRequests()
{
    center_.Unregister(this, &MapFileRequests::OnLoad);
    center_.Unregister(this, &MapFileRequests::OnSave);
}

bool MapFileRequests::Load(const std::filesystem::path& file)
{
    std::string errors;
    const bool read = MapFileReader::ReadFile(file, errors, scene_);
    // A file that could not be opened leaves no message and nothing to show.
    if (!read && errors.empty())
        return false;
    if (read)
        refused_.erase(file);
    else
        refused_.insert(file);
    if (!errors.empty() && report_)
        report_(errors);
    if (show_)
        show_(file);
    center_.Send(UpdateGridView_Msg{false});
    return read;
}

bool MapFileRequests::Save(const std::filesystem::path& file)
{
    if (refused_.count(file) != 0)
        return false;
    return MapFileWriter::WriteFile(file, scene_);
}

void MapFileRequests::OnLoad(const LoadMapFile_Msg* msg)
{
    Load(msg->path);
}

void MapFileRequests::OnSave(const SaveMapFile_Msg* msg)
{
    Save(msg->path);
}
