#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

class MsgCenter;
class Scene;
enum class MapFileKind;
struct LoadDomoMap_Msg;
struct LoadMapFile_Msg;
struct LoadTempMap_Msg;
struct SaveMapFile_Msg;
struct SaveTempMap_Msg;

// Every load and save of a map goes through here: the files the user picks,
// the start file and dropped files, the recorder's snapshots in "temp/" and
// the maps that demonstration scripts name. A file that exists but was
// refused as a map is never saved over by a request, so a wrong file given by
// mistake is not replaced by an empty map. After every load and every save
// the user asked for, MapFileEvent_Msg tells where the map in hand came from.
class MapFileRequests {
public:
    enum class SaveProblem { CannotWrite, NotAMapFile };

    // Shows the reader's messages (GB18030) in a "Load Failed" box.
    using ReportLoadProblem = std::function<void(const std::string& errors)>;
    // Shows the loaded file in the window title.
    using ShowFile = std::function<void(const std::filesystem::path& file)>;
    // Tells the user that a map they asked to save was not saved.
    using ReportSaveProblem = std::function<void(const std::filesystem::path& file, SaveProblem problem)>;

    static constexpr const char* kTempFolder = "temp";
    static constexpr const char* kMapFolder = "map";
    static constexpr const char* kExtension = ".qlm";
    static constexpr const char* kRecordingStartName = "s";

    // "temp/" and "map/" are looked for below `programFolder`.
    MapFileRequests(MsgCenter& center, Scene& scene, std::filesystem::path programFolder, ReportLoadProblem report,
                    ShowFile show, ReportSaveProblem saveFailed = {});
    ~MapFileRequests();
    MapFileRequests(const MapFileRequests&) = delete;
    MapFileRequests& operator=(const MapFileRequests&) = delete;

    // The reader's result: false when the file could not be opened or was refused.
    bool Load(const std::filesystem::path& file);
    // False, reported, when the file could not be written or was refused as a map before.
    bool Save(const std::filesystem::path& file);
    // The user picked this file in the save dialog and agreed to replace it,
    // so an earlier refusal no longer holds.
    bool SaveChosen(const std::filesystem::path& file);

    // Recorder snapshots; written silently, "temp/" is created when missing.
    // CmdList::kStartSnapshot loads the recording's starting map.
    std::filesystem::path TempMapFile(std::int32_t index) const;
    bool SaveTemp(std::int32_t index);
    bool LoadTemp(std::int32_t index);

    // The starting map of a recording, "temp/s.qlm"; snapshots of an earlier
    // recording ("temp/*.qlm") are removed first so none is taken for this one's.
    std::filesystem::path RecordingStartFile() const;
    bool StartRecordingSnapshots();

    // An installed program's own "map/" folder, looked in after the user's.
    void SetSampleFolder(std::filesystem::path folder) { sampleFolder_ = std::move(folder); }

    // The map a script names: beside the current script, else in "map/".
    bool LoadDemoMap(const std::string& mapName);
    // "<name>.qlm" for a script's map name (GB18030); none for a name that
    // could reach outside the folder it is looked for in.
    static std::optional<std::filesystem::path> DemoMapFileName(const std::string& mapName);

private:
    enum class LoadOutcome { NotOpened, Refused, Read };

    LoadOutcome TryLoad(const std::filesystem::path& file, MapFileKind kind);
    bool LoadAs(const std::filesystem::path& file, MapFileKind kind);
    bool Write(const std::filesystem::path& file, bool reportProblems);
    bool WriteTemp(const std::filesystem::path& file);

    void OnLoad(const LoadMapFile_Msg* msg);
    void OnSave(const SaveMapFile_Msg* msg);
    void OnSaveTemp(const SaveTempMap_Msg* msg);
    void OnLoadTemp(const LoadTempMap_Msg* msg);
    void OnLoadDemo(const LoadDomoMap_Msg* msg);

    MsgCenter& center_;
    Scene& scene_;
    std::filesystem::path programFolder_;
    std::filesystem::path sampleFolder_;
    ReportLoadProblem report_;
    ShowFile show_;
    ReportSaveProblem saveFailed_;
    std::set<std::filesystem::path> refused_;
};
