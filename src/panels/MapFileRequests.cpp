#include "panels/MapFileRequests.h"

#include "cmd/CmdList.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/FileNames.h"
#include "platform/TextCodec.h"
#include "scene/MapFileReader.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"

#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

MapFileRequests::MapFileRequests(MsgCenter& center, Scene& scene, fs::path programFolder, ReportLoadProblem report,
                                 ShowFile show, ReportSaveProblem saveFailed)
    : center_(center),
      scene_(scene),
      programFolder_(std::move(programFolder)),
      report_(std::move(report)),
      show_(std::move(show)),
      saveFailed_(std::move(saveFailed))
{
    center_.Register(this, &MapFileRequests::OnLoad);
    center_.Register(this, &MapFileRequests::OnSave);
    center_.Register(this, &MapFileRequests::OnSaveTemp);
    center_.Register(this, &MapFileRequests::OnLoadTemp);
    center_.Register(this, &MapFileRequests::OnLoadDemo);
}

MapFileRequests::~MapFileRequests()
{
    center_.Unregister(this, &MapFileRequests::OnLoad);
    center_.Unregister(this, &MapFileRequests::OnSave);
    center_.Unregister(this, &MapFileRequests::OnSaveTemp);
    center_.Unregister(this, &MapFileRequests::OnLoadTemp);
    center_.Unregister(this, &MapFileRequests::OnLoadDemo);
}

MapFileRequests::LoadOutcome MapFileRequests::TryLoad(const fs::path& file, MapFileKind kind)
{
    std::string errors;
    const bool read = MapFileReader::ReadFile(file, errors, scene_);
    // A file that could not be opened leaves no message and nothing to show.
    if (!read && errors.empty())
        return LoadOutcome::NotOpened;
    if (read)
        refused_.erase(file);
    else
        refused_.insert(file);
    if (!errors.empty() && report_)
        report_(errors);
    center_.Send(MapFileEvent_Msg{kind, file, !read || !errors.empty()});
    if (show_)
        show_(file);
    center_.Send(UpdateGridView_Msg{false});
    return read ? LoadOutcome::Read : LoadOutcome::Refused;
}

bool MapFileRequests::LoadAs(const fs::path& file, MapFileKind kind)
{
    return TryLoad(file, kind) == LoadOutcome::Read;
}

bool MapFileRequests::Load(const fs::path& file)
{
    return LoadAs(file, MapFileKind::Opened);
}

bool MapFileRequests::Write(const fs::path& file, bool reportProblems)
{
    if (MapFileWriter::WriteFile(file, scene_))
        return true;
    if (reportProblems && saveFailed_)
        saveFailed_(file, SaveProblem::CannotWrite);
    return false;
}

bool MapFileRequests::Save(const fs::path& file)
{
    if (refused_.count(file) != 0) {
        if (saveFailed_)
            saveFailed_(file, SaveProblem::NotAMapFile);
        return false;
    }
    if (!Write(file, true))
        return false;
    center_.Send(MapFileEvent_Msg{MapFileKind::Saved, file, false});
    return true;
}

bool MapFileRequests::SaveChosen(const fs::path& file)
{
    refused_.erase(file);
    return Save(file);
}

fs::path MapFileRequests::TempMapFile(std::int32_t index) const
{
    return programFolder_ / kTempFolder / (std::to_string(index) + kExtension);
}

bool MapFileRequests::WriteTemp(const fs::path& file)
{
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    return Write(file, false);
}

bool MapFileRequests::SaveTemp(std::int32_t index)
{
    return WriteTemp(TempMapFile(index));
}

bool MapFileRequests::LoadTemp(std::int32_t index)
{
    return LoadAs(index == CmdList::kStartSnapshot ? RecordingStartFile() : TempMapFile(index),
                  MapFileKind::RecorderMap);
}

fs::path MapFileRequests::RecordingStartFile() const
{
    return programFolder_ / kTempFolder / (std::string(kRecordingStartName) + kExtension);
}

bool MapFileRequests::StartRecordingSnapshots()
{
    const fs::path folder = programFolder_ / kTempFolder;
    std::error_code ec;
    std::vector<fs::path> old;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == kExtension && it->is_regular_file(ec))
            old.push_back(it->path());
    }
    for (const fs::path& file : old)
        fs::remove(file, ec);
    return WriteTemp(RecordingStartFile());
}

std::optional<fs::path> MapFileRequests::DemoMapFileName(const std::string& mapName)
{
    // Checked as UTF-8: in GB18030 a trail byte may be a backslash.
    const std::string name = platform::Gb18030ToUtf8(mapName);
    if (name.find_first_of(std::string_view("/\\:\0", 4)) != std::string::npos || name.find("..") != std::string::npos
        || platform::IsDeviceName(name))
        return std::nullopt;
    fs::path file = platform::PathFromUtf8(name + kExtension);
    if (file.has_root_path() || file.has_parent_path())
        return std::nullopt;
    return file;
}

bool MapFileRequests::LoadDemoMap(const std::string& mapName)
{
    const std::optional<fs::path> file = DemoMapFileName(mapName);
    if (!file) {
        if (report_)
            report_("map name is not a plain file name: " + mapName);
        return false;
    }
    // Without a current script there is no script folder to look in.
    std::vector<fs::path> candidates;
    if (const DemoScript* script = scene_.Demos().Selected())
        candidates.push_back(script->folder / *file);
    candidates.push_back(programFolder_ / kMapFolder / *file);
    if (!sampleFolder_.empty())
        candidates.push_back(sampleFolder_ / kMapFolder / *file);
    for (std::size_t i = 0; i + 1 < candidates.size(); ++i) {
        const LoadOutcome outcome = TryLoad(candidates[i], MapFileKind::DemoMap);
        if (outcome != LoadOutcome::NotOpened)
            return outcome == LoadOutcome::Read;
    }
    return LoadAs(candidates.back(), MapFileKind::DemoMap);
}

void MapFileRequests::OnLoad(const LoadMapFile_Msg* msg)
{
    Load(msg->path);
}

void MapFileRequests::OnSave(const SaveMapFile_Msg* msg)
{
    msg->saved = Save(msg->path);
}

void MapFileRequests::OnSaveTemp(const SaveTempMap_Msg* msg)
{
    SaveTemp(msg->index);
}

void MapFileRequests::OnLoadTemp(const LoadTempMap_Msg* msg)
{
    LoadTemp(msg->index);
}

void MapFileRequests::OnLoadDemo(const LoadDomoMap_Msg* msg)
{
    LoadDemoMap(msg->mapName);
}
